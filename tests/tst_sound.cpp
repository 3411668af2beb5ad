// The sound thread with a device that blocks or fails when told, and the
// reading of sound files of every kind a teacher might drop in.

#include "platform/AudioDevice.h"
#include "platform/Pcm.h"
#include "platform/SoundOutput.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <algorithm>
#include <condition_variable>
#include <future>
#include <mutex>
#include <sys/stat.h>

namespace {

// What the fake device was given, shared with the test: it outlives the
// device, which the sound thread owns.
struct DeviceLog {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<qint16> written;   // left samples only
    std::vector<std::size_t> flushes;   // written.size() at each flush
    int opens = 0;
    bool failOpen = false;
    bool failWrite = false;   // the next write only
    bool blocking = false;    // writes wait until it is cleared
    bool waiting = false;     // a write is waiting
    bool destroyed = false;

    void setBlocking(bool on)
    {
        std::lock_guard lock(mutex);
        blocking = on;
        changed.notify_all();
    }
    template <typename F> auto read(F f)
    {
        std::lock_guard lock(mutex);
        return f();
    }
    // How many samples of this value were written.
    std::size_t count(qint16 value)
    {
        return read([&] { return std::size_t(std::count(written.begin(), written.end(), value)); });
    }
};

class FakeDevice final : public AudioDevice {
public:
    explicit FakeDevice(std::shared_ptr<DeviceLog> log) : log_(std::move(log)) {}
    ~FakeDevice() override { log_->read([this] { return log_->destroyed = true; }); }
    bool open() override
    {
        std::lock_guard lock(log_->mutex);
        ++log_->opens;
        return !log_->failOpen;
    }
    bool write(const qint16 *samples, qsizetype count) override
    {
        std::unique_lock lock(log_->mutex);
        log_->waiting = true;
        log_->changed.wait(lock, [this] { return !log_->blocking; });
        log_->waiting = false;
        if (std::exchange(log_->failWrite, false))
            return false;
        for (qsizetype i = 0; i < count; i += 2)
            log_->written.push_back(samples[i]);
        return true;
    }
    void flush() override { log_->read([this] { log_->flushes.push_back(log_->written.size()); return 0; }); }
    void close() override {}

private:
    std::shared_ptr<DeviceLog> log_;
};

QByteArray le16(int v)
{
    QByteArray b(2, 0);
    qToLittleEndian<quint16>(quint16(v), b.data());
    return b;
}

QByteArray le32(quint32 v)
{
    QByteArray b(4, 0);
    qToLittleEndian<quint32>(v, b.data());
    return b;
}

QByteArray chunk(const char *id, const QByteArray &body, quint32 declared = 0)
{
    return QByteArray(id, 4) + le32(declared ? declared : quint32(body.size())) + body;
}

QByteArray fmt(int tag, int channels, int rate, int bits)
{
    return le16(tag) + le16(channels) + le32(quint32(rate)) + le32(quint32(rate * channels * bits / 8))
           + le16(channels * bits / 8) + le16(bits);
}

const QByteArray kPcmGuidTail("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);

// The sub-format GUID starts with the plain tag; tail: the rest of it.
QByteArray extensible(int subTag, int channels, int rate, int bits, const QByteArray &tail = kPcmGuidTail)
{
    return fmt(0xFFFE, channels, rate, bits) + le16(22) + le16(bits) + le32(channels == 2 ? 3 : 4) + le16(subTag)
           + tail;
}

QByteArray riff(const QByteArray &chunks)
{
    return "RIFF" + le32(quint32(chunks.size() + 4)) + "WAVE" + chunks;
}

QByteArray wav(const QByteArray &format, const QByteArray &frame, int frames, quint32 declared = 0)
{
    return riff(chunk("fmt ", format) + chunk("data", frame.repeated(frames), declared));
}

// A 16-bit mono 22050 Hz sound of one value, 0.1 s or as long as asked.
QByteArray level(int value, int frames = 2205)
{
    return wav(fmt(1, 1, 22050, 16), le16(value), frames);
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
    void init();
    void cleanup();
    void aStallHoldsUpNeitherTheCallerNorTheNextSound_data();
    void aStallHoldsUpNeitherTheCallerNorTheNextSound();
    void fiftySoundsInARowAllReachTheDevice();
    void aNewSoundCutsTheOnePlaying();
    void aLostStreamIsOpenedAgain();
    void exitLeavesAStuckDeviceBehind();
    void soundFiles_data();
    void soundFiles();

private:
    QTemporaryDir dir_;
    std::shared_ptr<DeviceLog> log_;
    std::unique_ptr<SystemSoundOutput> sound_;
    QString a_, b_, c_;
};

void TestSound::init()
{
    log_ = std::make_shared<DeviceLog>();
    sound_ = std::make_unique<SystemSoundOutput>(std::make_unique<FakeDevice>(log_));
    a_ = write(dir_, QStringLiteral("a.wav"), level(1000, 22050));   // a second long
    b_ = write(dir_, QStringLiteral("b.wav"), level(2000));
    c_ = write(dir_, QStringLiteral("c.wav"), level(3000));
    sound_->preload({a_, b_, c_});
    QTRY_COMPARE(sound_->lengthMs(c_), 100);
}

void TestSound::cleanup()
{
    log_->setBlocking(false);
    sound_.reset();
}

void TestSound::aStallHoldsUpNeitherTheCallerNorTheNextSound_data()
{
    QTest::addColumn<bool>("playDuringStall");
    QTest::newRow("a sound asked for during the stall") << true;
    QTest::newRow("none") << false;
}

void TestSound::aStallHoldsUpNeitherTheCallerNorTheNextSound()
{
    QFETCH(bool, playDuringStall);
    log_->setBlocking(true);
    sound_->play(a_);
    QTRY_VERIFY(log_->read([this] { return log_->waiting; }));
    auto calls = std::async(std::launch::async, [this, playDuringStall] {
        if (playDuringStall)
            sound_->play(b_);
        sound_->preload({c_});
        return sound_->lengthMs(a_);
    });
    const bool returned = calls.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    QTest::qWait(600);   // a stall well past the time a sound may start late
    log_->setBlocking(false);
    QVERIFY(returned);
    QCOMPARE(calls.get(), 1000);

    // What was playing stops when the stall ends; what was asked for during
    // it would be late; the next sound plays.
    QTRY_COMPARE(log_->read([this] { return log_->flushes.size(); }), std::size_t(1));
    sound_->play(c_);
    QTRY_COMPARE(log_->count(3000), std::size_t(4410));
    QCOMPARE(log_->count(2000), std::size_t(0));
    QVERIFY(log_->count(1000) < 44100);
}

void TestSound::fiftySoundsInARowAllReachTheDevice()
{
    for (int i = 0; i < 50; ++i) {
        const bool odd = i % 2;
        sound_->play(odd ? b_ : c_);
        QTRY_COMPARE(log_->count(odd ? 2000 : 3000), std::size_t(i / 2 + 1) * 4410);
    }
    QCOMPARE(log_->read([this] { return log_->opens; }), 1);   // one stream for all
}

void TestSound::aNewSoundCutsTheOnePlaying()
{
    log_->setBlocking(true);
    sound_->play(a_);
    QTRY_VERIFY(log_->read([this] { return log_->waiting; }));
    sound_->play(b_);
    log_->setBlocking(false);
    QTRY_COMPARE(log_->count(2000), std::size_t(4410));
    const std::size_t a = log_->count(1000);
    QVERIFY(a > 0 && a < 44100);
    QCOMPARE(log_->read([this] { return log_->flushes; }), std::vector<std::size_t>{a});
    QCOMPARE(log_->read([this, a] { return log_->written.at(a); }), qint16(2000));
}

void TestSound::aLostStreamIsOpenedAgain()
{
    log_->read([this] { return log_->failOpen = true; });
    sound_->play(b_);
    QTRY_COMPARE(log_->read([this] { return log_->opens; }), 1);
    log_->read([this] { log_->failOpen = false; return log_->failWrite = true; });
    sound_->play(c_);
    QTRY_COMPARE(log_->count(3000), std::size_t(4410));
    QCOMPARE(log_->read([this] { return log_->opens; }), 3);
    QCOMPARE(log_->count(2000), std::size_t(0));
}

void TestSound::exitLeavesAStuckDeviceBehind()
{
    log_->setBlocking(true);
    sound_->play(a_);
    QTRY_VERIFY(log_->read([this] { return log_->waiting; }));
    auto exit = std::async(std::launch::async, [this] { sound_.reset(); });
    const bool returned = exit.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    log_->setBlocking(false);
    QVERIFY(returned);
    QTRY_VERIFY(log_->read([this] { return log_->destroyed; }));   // the thread ends once the device lets it
}

void TestSound::soundFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("special");   // how to make the file instead
    QTest::addColumn<int>("frames");       // 0: silence
    QTest::addColumn<QList<int>>("start"); // left and right of the first frames

    const QList<int> half{16384, 16384};
    const QString none;
    QTest::newRow("16-bit mono 22050 Hz") << level(16384) << none << 4410 << half;
    QTest::newRow("8-bit") << wav(fmt(1, 1, 22050, 8), "\xC0", 2205) << none << 4410 << half;
    QTest::newRow("24-bit, below zero") << wav(fmt(1, 1, 22050, 24), QByteArray("\x00\x00\xC0", 3), 2205) << none
                                        << 4410 << QList<int>{-16384, -16384};
    QTest::newRow("32-bit") << wav(fmt(1, 1, 22050, 32), le32(0x40000000), 2205) << none << 4410 << half;
    QTest::newRow("float") << wav(fmt(3, 1, 22050, 32), QByteArray("\x00\x00\x00\x3F", 4), 2205) << none << 4410
                           << half;
    QTest::newRow("float past full scale, stereo")
        << wav(fmt(3, 2, 22050, 32), QByteArray("\x00\x00\xC0\x3F\x00\x00\xC0\xBF", 8), 2205) << none << 4410
        << QList<int>{32767, -32768};
    QTest::newRow("stereo 48 kHz") << wav(fmt(1, 2, 48000, 16), le16(16384) + le16(-16384), 4800) << none << 4410
                                   << QList<int>{16384, -16384};
    QTest::newRow("96 kHz") << wav(fmt(1, 1, 96000, 16), le16(16384), 9600) << none << 4410 << half;
    QTest::newRow("in between, by straight lines")
        << riff(chunk("fmt ", fmt(1, 1, 22050, 16)) + chunk("data", le16(0) + le16(1000))) << none << 4
        << QList<int>{0, 0, 500, 500, 1000, 1000, 1000, 1000};
    QTest::newRow("extensible 16-bit") << wav(extensible(1, 1, 22050, 16), le16(16384), 2205) << none << 4410 << half;
    QTest::newRow("odd chunk first") << riff(chunk("LIST", "abc") + '\0' + chunk("fmt ", fmt(1, 1, 22050, 16))
                                             + chunk("data", le16(16384).repeated(2205)))
                                     << none << 4410 << half;
    QTest::newRow("cut short") << level(16384).chopped(2205) << none << 2204 << half;
    QTest::newRow("huge declared size") << wav(fmt(1, 1, 22050, 16), le16(16384), 2205, 0xFFFFFFF0) << none << 4410
                                        << half;

    const QList<int> silence;
    QTest::newRow("ADPCM") << wav(fmt(2, 1, 22050, 4), "\x11", 2205) << none << 0 << silence;
    QTest::newRow("extensible, other sub-format")
        << wav(extensible(1, 1, 22050, 16, QByteArray("\x00\x00\x21\x07\xD3\x11\x86\x44\xC8\xC1\xCA\x00\x00\x00", 14)),
               le16(1), 2205)
        << none << 0 << silence;
    QTest::newRow("three channels") << wav(fmt(1, 3, 22050, 16), le16(1).repeated(3), 2205) << none << 0 << silence;
    QTest::newRow("12-bit") << wav(fmt(1, 1, 22050, 12), le16(1), 2205) << none << 0 << silence;
    QTest::newRow("4 kHz") << wav(fmt(1, 1, 4000, 16), le16(1), 400) << none << 0 << silence;
    QTest::newRow("192 kHz") << wav(fmt(1, 1, 192000, 16), le16(1), 400) << none << 0 << silence;
    QTest::newRow("no sound") << wav(fmt(1, 1, 22050, 16), {}, 0) << none << 0 << silence;
    QTest::newRow("data before format") << riff(chunk("data", le16(1)) + chunk("fmt ", fmt(1, 1, 22050, 16))) << none
                                        << 0 << silence;
    QTest::newRow("cut in the format") << level(1).left(30) << none << 0 << silence;
    QTest::newRow("not a wav") << QByteArray(4000, 'x') << none << 0 << silence;
    QTest::newRow("empty") << QByteArray() << none << 0 << silence;
    QTest::newRow("pipe") << QByteArray() << QStringLiteral("fifo") << 0 << silence;
    QTest::newRow("folder") << QByteArray() << QStringLiteral("dir") << 0 << silence;
    QTest::newRow("link to an endless device") << QByteArray() << QStringLiteral("zero") << 0 << silence;
    QTest::newRow("missing") << QByteArray() << QStringLiteral("missing") << 0 << silence;
}

void TestSound::soundFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, special);
    QFETCH(int, frames);
    QFETCH(QList<int>, start);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.wav"));
    if (special == QLatin1String("fifo"))
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (special == QLatin1String("dir"))
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("s.wav")));
    else if (special == QLatin1String("zero"))
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    else if (special.isEmpty())
        write(dir, QStringLiteral("s.wav"), bytes);

    const std::optional<Pcm> pcm = decodeWav(readSoundFile(path));
    QCOMPARE(pcm ? pcm->frames() : 0, qsizetype(frames));
    if (pcm)
        QCOMPARE(QList<int>(pcm->samples.begin(), pcm->samples.begin() + start.size()), start);
}

QTEST_MAIN(TestSound)
#include "tst_sound.moc"
