#include "Fakes.h"

#include "app/Windows.h"
#include "lang/Language.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QWidget>
#include <QtTest>
#include <algorithm>
#include <cmath>

double ScriptedRnd::next()
{
    if (++drawn > drawLimit)
        qFatal("%s: draw %zu is past the limit of this step: a window is drawing without end",
               drawLimitContext.constData(), drawn);
    if (values_.empty()) {
        ++unscripted;
        return unscriptedSource ? unscriptedSource->generateDouble() : 0.0;
    }
    const double v = values_.front().value;
    values_.pop_front();
    return v;
}

int ScriptedRnd::below(int k)
{
    const int scripted = values_.empty() ? 0 : values_.front().range;
    if (scripted != 0 && scripted != k) {
        const QByteArray message = QByteArray("draw ") + QByteArray::number(drawn + 1) + " asks for floor(Rnd x "
                                   + QByteArray::number(k) + "), but the test scripted it for floor(Rnd x "
                                   + QByteArray::number(scripted) + ')';
        QTest::qFail(message.constData(), __FILE__, __LINE__);
    }
    return RandomSource::below(k);
}

void ScriptedRnd::draw(int n, int k)
{
    values_.push_back({(n + 0.5) / k, k});
}

MessageAnswer RecordingDialogs::message(QWidget *, const QString &text, const QString &title, MessageButtons buttons,
                                        MessageIcon icon, const ButtonWords &words)
{
    shown.push_back({text, title, buttons, icon, words});
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (answers.empty() && randomAnswers)
        return randomAnswers->bounded(2) ? MessageAnswer::Yes : MessageAnswer::No;
    if (answers.empty())
        return MessageAnswer::No;
    const MessageAnswer a = answers.front();
    answers.pop_front();
    return a;
}

void RecordingSpeaker::setReadiness(Readiness r)
{
    readiness_ = r;
    emit readinessChanged(r);
}

const std::vector<RecordingSpeaker::Said> &RecordingSpeaker::heard()
{
    QCoreApplication::sendPostedEvents();
    return said;
}

TestProgram::TestProgram(Assets assets, QSize screenSize)
{
    Platform p;
    auto r = std::make_unique<ScriptedRnd>();
    auto s = std::make_unique<RecordingSound>();
    auto sp = std::make_unique<RecordingSpeaker>();
    auto d = std::make_unique<RecordingDialogs>();
    auto sc = std::make_unique<FixedScreen>(screenSize);
    auto g = std::make_unique<FakeGuard>();
    rnd = r.get();
    sound = s.get();
    speaker = sp.get();
    dialogs = d.get();
    screen = sc.get();
    guard = g.get();
    p.random = std::move(r);
    p.sound = std::move(s);
    p.speaker = std::move(sp);
    p.dialogs = std::move(d);
    p.screen = std::move(sc);
    p.instanceGuard = std::move(g);
    p.programFolder = dir_.path();
    p.configFolder = QDir(dir_.path()).filePath(QStringLiteral("config/quadrivel"));
    p.endProgram = [this] { ++programEnded; };
    installState(std::make_unique<ProgramState>(std::move(p)));
    state().windows = programWindows();

    if (assets == Assets::Shipped) {
        const QDir shipped(QStringLiteral(QUADRIVEL_ASSETS_DIR));
        for (const QString &name : shipped.entryList({QStringLiteral("*.lng"), QStringLiteral("*.ini")}, QDir::Files))
            QFile::copy(shipped.filePath(name), QDir(dir_.path()).filePath(name));
    }
}

TestProgram::~TestProgram()
{
    closeAllWindows();
    installState(nullptr);
}

void TestProgram::writeFile(const QString &name, const QByteArray &bytes) const
{
    QFile f(QDir(dir_.path()).filePath(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

void closeAllWindows()
{
    // Deleting a window deletes its menus, which are top-level widgets too.
    QList<QPointer<QWidget>> windows;
    for (QWidget *w : QApplication::topLevelWidgets())
        windows << w;
    for (const QPointer<QWidget> &w : windows)
        delete w.data();
}

QStringList openWindowNames()
{
    QStringList names;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && !w->testAttribute(Qt::WA_DontShowOnScreen))
            names << w->objectName();
    }
    names.sort();
    return names;
}

bool compareStringId(const QString &actual, const QString &id, const char *actualText, const char *file, int line)
{
    const QString expected = MLSGetString(id);
    const QByteArray expectedText = "MLSGetString(\"" + id.toLatin1() + "\")";
    if (expected.isEmpty()) {
        QTest::qFail((expectedText + " is empty: the language file lacks the string").constData(), file, line);
        return false;
    }
    return QTest::qCompare(actual, expected, actualText, expectedText.constData(), file, line);
}

double contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
