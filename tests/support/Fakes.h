#pragma once

#include "platform/ProgramState.h"

#include <QColor>
#include <QRandomGenerator>
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <deque>
#include <vector>

// A random source that gives the values a test scripts, in order.
class ScriptedRnd final : public RandomSource {
public:
    double next() override;
    // A draw the script made for another range fails the running test: a
    // range drawn one too small or too large would otherwise go unseen.
    int below(int k) override;

    // The next draw of floor(Rnd x k) gives n.
    void draw(int n, int k);
    // The next draw gives value, whatever its range.
    void push(double value) { values_.push_back({value, 0}); }

    std::size_t remaining() const { return values_.size(); }
    // Draws asked for when the script had run out.
    int unscripted = 0;
    // Those draws come from this generator when set, else they give 0.
    QRandomGenerator *unscriptedSource = nullptr;
    // Every draw so far. One past drawLimit stops the test program with a
    // message: a window drawing without end would hang it otherwise.
    std::size_t drawn = 0;
    std::size_t drawLimit = SIZE_MAX;
    QByteArray drawLimitContext; // named in that message

private:
    struct Scripted {
        double value;
        int range;   // 0: any
    };
    std::deque<Scripted> values_;
};

class RecordingSound final : public SoundOutput {
public:
    void play(const QString &path) override { played.push_back(path); }
    std::vector<QString> played;
};

// Records what would be read aloud; its readiness is the test's to set.
class RecordingSpeaker final : public Speaker {
public:
    struct Said {
        QString text;
        int afterMs;
    };
    Readiness readiness() const override { return readiness_; }
    void setVoice(const VoiceWish &wish) override { voice = wish; }
    void say(const QString &text, int afterMs) override { said.push_back({text, afterMs}); }
    void stop() override { ++stops; }
    // Changes the readiness and says so, as the real speaker does.
    void setReadiness(Readiness r);
    // What was said, once the frame has read out what the last event left
    // to say (it reads at the end of the event that judged an answer).
    const std::vector<Said> &heard();

    std::vector<Said> said;
    VoiceWish voice;
    int stops = 0;

private:
    Readiness readiness_ = Readiness::Ready;
};

struct ShownMessage {
    QString text;
    QString title;
    MessageButtons buttons;
    MessageIcon icon;
    ButtonWords words;
};

// Records message boxes and answers them from a script (Ok for an OK box;
// the next scripted answer, or else Yes or No at random when randomAnswers
// is set, or else No, for a Yes/No box).
class RecordingDialogs final : public Dialogs {
public:
    MessageAnswer message(QWidget *parent, const QString &text, const QString &title, MessageButtons buttons,
                          MessageIcon icon, const ButtonWords &words) override;
    std::vector<ShownMessage> shown;
    std::deque<MessageAnswer> answers;
    QRandomGenerator *randomAnswers = nullptr;
};

class FixedScreen final : public Screen {
public:
    explicit FixedScreen(QSize size) : size_(size) {}
    QSize size() const override { return size_; }
    void setSize(QSize size) { size_ = size; }

private:
    QSize size_;
};

class FakeGuard final : public InstanceGuard {
public:
    bool acquire() override { return !otherCopy; }
    bool otherCopy = false;
};

// A program-wide state made of fakes, with a program folder of its own.
// Language files are copied from the shipped assets unless told otherwise.
class TestProgram {
public:
    enum class Assets { Shipped, None };
    explicit TestProgram(Assets assets = Assets::Shipped, QSize screen = QSize(1024, 768));
    ~TestProgram();

    QString folder() const { return dir_.path(); }
    // Writes a file into the program folder (bytes as given).
    void writeFile(const QString &name, const QByteArray &bytes) const;

    ScriptedRnd *rnd;
    RecordingSound *sound;
    RecordingSpeaker *speaker;
    RecordingDialogs *dialogs;
    FixedScreen *screen;
    FakeGuard *guard;
    int programEnded = 0;

private:
    QTemporaryDir dir_;
};

// Closes and deletes every top-level window left open.
void closeAllWindows();

// The open top-level windows' names.
QStringList openWindowNames();

// Compares a text the child reads with the language file's string id, as
// QCOMPARE does, and fails when that string is empty: an id missing from the
// file would otherwise equal a label that was never filled.
#define COMPARE_STRING_ID(actual, id)                                                                                \
    do {                                                                                                               \
        if (!compareStringId((actual), (id), #actual, __FILE__, __LINE__))                                             \
            return;                                                                                                    \
    } while (false)
bool compareStringId(const QString &actual, const QString &id, const char *actualText, const char *file, int line);

// The contrast ratio of two colours as the accessibility guidelines define
// it, from 1 (the same) to 21 (black on white); worked out here, apart from
// the program's own rule.
double contrast(const QColor &a, const QColor &b);
