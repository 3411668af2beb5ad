#pragma once

#include "frame/FormBase.h"

#include <vector>

class DigitBox;
class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

// The frame every exercise window shares: the score panel, the yes and no
// icons, "avanti", the button and the key (F5) that read the exercise aloud
// again, the menu-bar commands (reset, about, exit), the digit-only
// answer boxes with their Enter-on-release check, and the optional
// choose-terms frame. A window supplies its home menu, its answer boxes and
// term range, and its own exercise: NuovoEsercizio() and answerEntered().
// See frame/README.md.
class ExerciseForm : public FormBase {
    Q_OBJECT
public:
    ExerciseForm(const QString &name, const QString &homeMenu);

    // Draws and shows a new exercise.
    virtual void NuovoEsercizio() = 0;

    // Count a right or a wrong answer. The verdict is told to a screen reader
    // once the event that judged the answer is handled, and with reading
    // aloud on it is read, after the answer's sound; both together with the
    // next step's question when the window announced one meanwhile (see
    // announceExercise()).
    void SegnaEsatto();
    void SegnaErrato();
    void AzzeraConteggio();
    void TornaAlMenu();
    void MostraTermini();
    void ConfermaTermini();

    const QString &MenuDiRitorno() const { return homeMenu_; }

    // The design size of every exercise window's inside, in twips.
    static constexpr QSize kDesignTwips{15360, 10800};

protected:
    // Enter was released in a box that is not empty; value is the number its
    // leading digits form.
    virtual void answerEntered(DigitBox *box, double value);
    // "avanti" pressed. By default: a new exercise, then "avanti" disabled.
    virtual void avantiPressed();

    bool eventFilter(QObject *watched, QEvent *event) override;

    // The exercise, or the step the child is on, as a sentence a child
    // understands when it is read aloud ("Quanto fa 7 per 8?"). Empty:
    // nothing to read.
    virtual QString spokenExercise() const;
    // Tells spokenExercise() to a screen reader, and reads it aloud when
    // reading aloud is on, cutting any speech still running. A window calls
    // it whenever what it asks of the child changes: a new exercise, a new
    // step. Both start once the event being handled is over, so that the
    // exercise follows a verdict of the same event, in one go. The questions
    // of the answer controls (askWith()) are brought up to date at once.
    void announceExercise();

    // The question answer stands for, which a screen reader speaks when the
    // control takes the focus: by default the exercise as read aloud. A
    // window whose answer controls answer different questions (the steps of
    // a sequence) gives each its own. Empty: no question yet, the box is
    // called an answer.
    virtual QString questionFor(const QWidget *answer) const;
    // Has answer, a control the window holds for its whole life, carry its
    // question (questionFor()) to a screen reader from now on: an answer box
    // is named by the question followed by the word for an answer, any other
    // control (a button of a board) keeps its name and is described by the
    // question. A box is kept current when the exercise is announced, any
    // control whenever it takes the focus (a description is read only
    // then); a disabled box keeps the question it answered.
    void askWith(QWidget *answer);
    // Brings the questions of the boxes and of the focused control up to
    // date now: for a window about to tell a screen reader of a focus that
    // stays where it is.
    void refreshQuestions();
    // Reads spokenExercise() at once, reading aloud on or off: the speaker
    // button and F5.
    void readAgain();

    // The yes sound of a right answer (Feedback's SuonoSi()), played by the
    // frame so that the verdict read aloud waits for its end. A window calls
    // it after SegnaEsatto() when the answer ends an exercise.
    void SuonoSi();

    // The check of an exercise that is one answer in one box. A wrong answer
    // is counted and the box keeps the focus for the child to correct it; a
    // right one is counted and greeted, the box is closed and "avanti" takes
    // the focus, so Enter moves on. Returns whether the answer was right.
    bool checkSingleAnswer(DigitBox *box, double value, double expected);

    // An answer box (SoloCifre), placed in twips inside parent (the window's
    // area when null).
    DigitBox *addAnswerBox(const QString &name, int index, QRect twips, int maxLength,
                           const QFont &font, QWidget *parent = nullptr);
    // Routes Enter in a box made elsewhere (cells created at activation) to
    // answerEntered().
    void watchAnswerBox(DigitBox *box);

    // The choose-terms frame with the boxes OpPrimo(first..last), all ticked,
    // its confirm button and the menu-bar command that opens it.
    void addTermFrame(int first, int last, const QString &confirmName,
                      const QString &menuName = QStringLiteral("MenuNumeroMassimo"),
                      const QString &menuCaption = QStringLiteral("Scegli i termini da utilizzare"));
    bool termTicked(int term) const;
    // Whether any box of the choose-terms frame is ticked.
    bool anyTermTicked() const;
    QCheckBox *termBox(int term) const;
    QGroupBox *termFrame() const { return termFrame_; }

    // A menu-bar command or drop-down heading of the window's own, placed
    // before "Informazioni".
    QAction *addOwnMenuCommand(const QString &name, const QString &caption);
    QMenu *addOwnMenuHeading(const QString &name, const QString &caption);

    // Names the frame's controls for assistive technology: the counts by
    // their titles, the icons, answer boxes and term boxes by the shared
    // words of the language file. Names from the window's own section stay.
    void afterLocalise() override;

    // Moves one of the frame's controls (for windows whose layout needs the
    // space); twips, in the area's coordinates.
    static void setTwipsGeometry(QWidget *control, int left, int top, int width, int height);

    // The frame's controls.
    QFrame *sattiErrati;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *EtichettaEsatti;
    QLabel *EtichettaErrati;
    QLabel *ComandoIconaSi;
    QLabel *ComandoIconaNo;
    QPushButton *BottoneAvanti;
    QPushButton *BottoneLeggi;
    QAction *MenuAzzera;
    QAction *MenuInformazioni;
    QAction *mnuEsci;

private:
    // Reads what the event just handled left to read: its verdict, then the
    // exercise when it was announced.
    void readPending();
    void queueReading();
    void refreshQuestion(QWidget *answer);

    QString homeMenu_;
    QString answerWord_;   // what a screen reader calls an answer box
    QString questionWord_;   // the same, after the question it answers
    std::vector<QWidget *> asked_;   // the controls that carry a question
    QGroupBox *termFrame_ = nullptr;
    int firstTerm_ = 0;
    std::vector<QCheckBox *> termBoxes_;
    bool judgedWrong_ = false;   // SegnaErrato() ran since the last Enter
    // What is to be read once the event being handled is over.
    struct Pending {
        QString verdict;   // read aloud
        QString notice;    // told to a screen reader
        int afterMs = 0;   // the length of the verdict's sound
        bool exercise = false;
        bool queued = false;
    };
    Pending pending_;
};

// A count written with the blank that stands for the sign: 7 is " 7".
QString signSpaced(int number);
