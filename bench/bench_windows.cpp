// Opens every built window of the program again and again, offscreen, and
// prints the median times of its opening and of its parts, and of one text
// lookup. Run a Release build:
//   QT_QPA_PLATFORM=offscreen bench_windows [runs [window]]
// where naming one window limits the run to it (for a profiler).

#include "Fakes.h"
#include "app/Startup.h"
#include "app/Windows.h"
#include "exercises/arrays/ArrayForm.h"
#include "frame/FormBase.h"
#include "lang/Language.h"
#include "lang/Localise.h"
#include "resize/clsResize.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double medianMs(std::vector<qint64> nanoseconds)
{
    const auto middle = nanoseconds.begin() + static_cast<std::ptrdiff_t>(nanoseconds.size() / 2);
    std::nth_element(nanoseconds.begin(), middle, nanoseconds.end());
    return static_cast<double>(*middle) / 1e6;
}

qint64 timed(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return clock.nsecsElapsed();
}

void dispose(FormBase *window)
{
    delete window;
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 25;
    const QString only = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();

    TestProgram program(TestProgram::Assets::Shipped, QSize(1920, 1080));
    // Exercises draw until their numbers fit; a scripted source that has run
    // out would draw the same number for ever.
    state().platform.random = std::make_unique<ClockRandom>();
    // The shipped fonts, as the program itself registers them from its folder.
    const QString folder = state().platform.programFolder;
    state().platform.programFolder = QStringLiteral(QUADRIVEL_ASSETS_DIR);
    registerFonts();
    state().platform.programFolder = folder;
    // Files copied a moment ago are read again at each lookup until their
    // time stamps can be trusted; the files of an installed program are old.
    const QDateTime longAgo = QDateTime::currentDateTime().addSecs(-3600);
    for (const QFileInfo &info : QDir(folder).entryInfoList(QDir::Files)) {
        QFile file(info.filePath());
        if (file.open(QIODevice::ReadWrite))
            file.setFileTime(longAgo, QFileDevice::FileModificationTime);
    }
    // The shipped pictures, where the picture windows look for them.
    QFile::link(QStringLiteral(QUADRIVEL_ASSETS_DIR "/jpg"), QDir(folder).filePath(QStringLiteral("jpg")));
    state().currentLanguageName = readLanguageSetting();
    std::printf("language %s, %d openings per window, medians in ms\n\n",
                qPrintable(state().currentLanguageName), runs);

    // open: what the child waits for: openWindow (make, load with
    // localisation and resizing to 75 %, show, activate with the first
    // exercise) and the first paint of the whole window; make: the
    // constructor alone; localise: one walk over a made, hidden window whose
    // pending events have run; resize: one scaling of the open window;
    // paint: one later full repaint.
    std::printf("%-16s %8s %8s %8s %9s %8s %8s\n", "window", "controls", "open", "make", "localise", "resize",
                "paint");
    for (const auto &[name, factory] : programWindows()) {
        if (!factory || (!only.isEmpty() && name != only))
            continue;
        std::vector<qint64> open, make, localise, resize, paint;
        std::size_t controls = 0;
        for (int run = 0; run < runs; ++run) {
            FormBase *window = nullptr;
            open.push_back(timed([&] {
                window = openWindow(name);
                QCoreApplication::processEvents();   // the window system shows and paints it
            }));
            controls = window->controls().size();
            resize.push_back(timed([&] { state().resizer->ResizeControls(); }));
            QCoreApplication::processEvents();
            paint.push_back(timed([&] { window->repaint(); }));
            dispose(window);

            make.push_back(timed([&] { window = factory(); }));
            QCoreApplication::processEvents();
            localise.push_back(timed([&] { MLSLocaliseForm(window, window->controls()); }));
            dispose(window);
        }
        std::printf("%-16s %8zu %8.2f %8.2f %9.2f %8.2f %8.2f\n", qPrintable(name), controls, medianMs(open),
                    medianMs(make), medianMs(localise), medianMs(resize), medianMs(paint));
    }

    // A click on a full array: Formhdau with nine rows on every keypad (36
    // hundreds, 81 tens, 81 units on show), then one regrouping or one more
    // keypad row, each with the repaint of the window it causes.
    if (only.isEmpty() || only == QLatin1String("Formhdau")) {
        auto *array = qobject_cast<ArrayForm *>(openWindow(QStringLiteral("Formhdau")));
        QCoreApplication::processEvents();
        std::vector<qint64> regroup, row;
        const auto fill = [array] {
            array->Command3D1->click();
            for (const Posto p : {Posto::Centinaia, Posto::Decine, Posto::Unita}) {
                for (int r = 0; r < 9; ++r)
                    array->tastiera(p).back()->click();
            }
            array->repaint();
        };
        for (int run = 0; run < runs; ++run) {
            fill();
            regroup.push_back(timed([&] {
                array->Command3D2->click();
                array->repaint();
            }));
            array->Command3D1->click();
            for (int r = 0; r < 8; ++r)
                array->tastiera(Posto::Unita).back()->click();
            array->repaint();
            row.push_back(timed([&] {
                array->tastiera(Posto::Unita).back()->click();
                array->repaint();
            }));
        }
        std::printf("\nFormhdau, full array, medians in ms: a regrouping with its repaint %.2f, "
                    "the ninth keypad row with its repaint %.2f\n",
                    medianMs(regroup), medianMs(row));
        dispose(array);
    }

    constexpr int kLookups = 2000;
    const QString file = languageFile();
    std::vector<qint64> getString, readIni, readIniMiss;
    for (int i = 0; i < kLookups; ++i) {
        getString.push_back(timed([] { MLSGetString(QStringLiteral("0009")); }));
        readIni.push_back(
            timed([&] { MLSReadIni(file, QStringLiteral("FormMenu"), QStringLiteral("Command2.Caption")); }));
        readIniMiss.push_back(
            timed([&] { MLSReadIni(file, QStringLiteral("FormMenu"), QStringLiteral("Command2.Tag")); }));
    }
    std::printf("\nmedians in microseconds, %lld-byte language file\n", static_cast<long long>(QFileInfo(file).size()));
    std::printf("one MLSGetString               %8.2f\n", medianMs(getString) * 1000);
    std::printf("one MLSReadIni, key present    %8.2f\n", medianMs(readIni) * 1000);
    std::printf("one MLSReadIni, key missing    %8.2f\n", medianMs(readIniMiss) * 1000);

    // A picture the picture windows have not shown yet is decoded from its file.
    std::vector<qint64> decode;
    const QString picture = QStringLiteral(QUADRIVEL_ASSETS_DIR "/jpg/Gallo.jpg");
    for (int i = 0; i < runs; ++i)
        decode.push_back(timed([&] { QImageReader(picture).read(); }));
    std::printf("one picture decoded afresh     %8.2f\n", medianMs(decode) * 1000);
    return 0;
}
