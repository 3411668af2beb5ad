#pragma once

#include "exercises/pictures/PictureProblemForm.h"

#include <array>

class DigitBox;
class QLabel;

// The sequence of the multiples from a picture problem: under the counts of
// subjects 0 to 10 the child writes how many objects they have, one box at a
// time from left to right; the completed row is one right answer.
class FormEserc2 : public PictureProblemForm {
    Q_OBJECT
public:
    FormEserc2();

    void NuovoEsercizio() override;

    // What box i reads: the trimmed text, of which only the last two
    // characters count in the boxes 0 to 9 (the whole text in the box 10),
    // taken as a number by its leading digits.
    static double letturaCasella(int i, const QString &text);

    static constexpr int kCaselle = 11;
    std::array<QLabel *, kCaselle> Label3{};
    std::array<DigitBox *, kCaselle> TestoInserito{};

protected:
    void afterActivate() override;
    void answerEntered(DigitBox *box, double value) override;
    // The box the child is at: its count of subjects and the object word,
    // after the problem's text at the first box; the text alone once the row
    // is complete.
    QString spokenExercise() const override;
    // Each box asks for its column's count, the first after the problem's
    // text.
    QString questionFor(const QWidget *answer) const override;

private:
    QString domanda(int casella) const;

    int casella_ = 0;   // the box open for an answer; kCaselle once all are right
};
