// The real sound output with broken sound files: it must never hold up the
// window. Runs with or without an audio device.

#include "platform/SoundOutput.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

QByteArray goodWav()
{
    QFile file(QStringLiteral(QUADRIVEL_ASSETS_DIR "/suoni/no.wav"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString write(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

} // namespace

class TestSound : public QObject {
    Q_OBJECT
private slots:
    void playable_data();
    void playable();
    void brokenSoundNeverHoldsUpTheWindow_data();
    void brokenSoundNeverHoldsUpTheWindow();
};

void TestSound::playable_data()
{
    const QByteArray good = goodWav();
    QVERIFY(good.size() > 1000);
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("expected");
    QTest::newRow("whole") << good << true;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("header only") << good.left(44) << false;
    QTest::newRow("half") << good.left(good.size() / 2) << false;
    QTest::newRow("one byte short") << good.chopped(1) << false;
    QTest::newRow("not a wav") << QByteArray(4000, 'x') << false;
    QByteArray huge = good;
    huge[40] = '\xFF';   // the data chunk's length, low byte: runs past the end
    huge[43] = '\x7F';
    QTest::newRow("length past the end") << huge << false;
}

void TestSound::playable()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, expected);
    QTemporaryDir dir;
    QCOMPARE(isPlayableWav(write(dir, QStringLiteral("s.wav"), bytes)), expected);
}

void TestSound::brokenSoundNeverHoldsUpTheWindow_data()
{
    const QByteArray good = goodWav();
    QTest::addColumn<QByteArray>("broken");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header only") << good.left(44);
    QTest::newRow("half") << good.left(good.size() / 2);
}

void TestSound::brokenSoundNeverHoldsUpTheWindow()
{
    QFETCH(QByteArray, broken);
    QTemporaryDir dir;
    const QString no = write(dir, QStringLiteral("no.wav"), broken);
    const QString yes = write(dir, QStringLiteral("si1.wav"), goodWav());
    const QString missing = dir.filePath(QStringLiteral("si2.wav"));

    SystemSoundOutput sound;
    sound.preload({yes, no});
    // Wrong, right, wrong again, a missing file, then right: each call returns
    // and the event loop goes on.
    for (const QString &path : {no, yes, no, missing, yes}) {
        bool ticked = false;
        QTimer::singleShot(50, [&ticked] { ticked = true; });
        sound.play(path);
        QTRY_VERIFY_WITH_TIMEOUT(ticked, 10000);
    }
}

QTEST_MAIN(TestSound)
#include "tst_sound.moc"
