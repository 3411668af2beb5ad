// Every caption of every window of the registry is whole on the smallest
// screen the program supports and on a common one, in both languages: no
// word cut, no line cut off at the top or bottom, and no caption broken
// over lines when it fits on one. Measured in the fonts the program ships.

#include "Fakes.h"
#include "app/Startup.h"
#include "app/Windows.h"
#include "frame/FittingLabel.h"
#include "frame/FormBase.h"
#include "frame/RoundButton.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QtTest>

namespace {

QString pathOf(const QWidget *w)
{
    QString name = w->objectName();
    if (w->property("index").isValid())
        name += QStringLiteral("(%1)").arg(w->property("index").toInt());
    return name + QStringLiteral(" \"") + w->property("text").toString() + u'"';
}

// Where the caption of w is laid out, in what font and how; false for a
// control whose caption is not checked here.
bool captionLayout(const QWidget *w, QRectF &room, QFont &font, int &flags)
{
    if (const auto *button = qobject_cast<const RoundButton *>(w)) {
        room = button->captionRoom();
        font = button->captionFont();
        flags = Qt::TextWordWrap;
        return true;
    }
    if (const auto *label = qobject_cast<const QLabel *>(w)) {
        if (label->textFormat() == Qt::RichText || Qt::mightBeRichText(label->text()))
            return false;
        const int m = label->margin();
        room = QRectF(label->contentsRect().adjusted(m, m, -m, -m));
        const auto *fitting = qobject_cast<const FittingLabel *>(w);
        font = fitting ? fitting->paintedFont() : label->font();
        flags = label->wordWrap() ? int(Qt::TextWordWrap) : 0;
        return true;
    }
    if (qobject_cast<const QCheckBox *>(w) || qobject_cast<const QRadioButton *>(w)) {
        const auto *button = static_cast<const QAbstractButton *>(w);
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const auto element = qobject_cast<const QCheckBox *>(w) ? QStyle::SE_CheckBoxContents
                                                                : QStyle::SE_RadioButtonContents;
        room = QRectF(button->style()->subElementRect(element, &option, button));
        font = button->font();
        flags = 0;
        return true;
    }
    return false;
}

// What is wrong with the caption of w, or nothing.
QString fault(const QWidget *w)
{
    QRectF room;
    QFont font;
    int flags = 0;
    const QString text = w->property("text").toString();
    if (text.trimmed().isEmpty() || !captionLayout(w, room, font, flags))
        return {};
    const QFontMetricsF metrics(font);
    const QString oneLine = text.simplified();
    const qreal oneLineWidth = metrics.horizontalAdvance(oneLine);
    const QString where = QStringLiteral("%1 in %2x%3 at %4px").arg(pathOf(w)).arg(room.width()).arg(room.height())
                              .arg(QFontInfo(font).pixelSize());
    for (const QString &word : oneLine.split(u' ')) {
        if (metrics.horizontalAdvance(word) > room.width() + 0.5)
            return where + QStringLiteral(": \"%1\" is cut").arg(word);
    }
    const QRectF needed = metrics.boundingRect(QRectF(0, 0, room.width(), 1e6), flags, text);
    if (needed.height() > room.height() + 0.5 || (!(flags & Qt::TextWordWrap) && oneLineWidth > room.width() + 0.5))
        return where + QStringLiteral(": needs %1x%2").arg(needed.width()).arg(needed.height());
    const auto *button = qobject_cast<const RoundButton *>(w);
    if (button && oneLineWidth <= room.width() && button->captionLines() > 1)
        return where + QStringLiteral(": fits on one line, drawn on %1").arg(button->captionLines());
    return {};
}

void collectFaults(const QWidget *form, QStringList &faults)
{
    for (const QWidget *w : form->findChildren<QWidget *>()) {
        if (w->isVisibleTo(form) && w->metaObject()->indexOfProperty("text") >= 0) {
            const QString f = fault(w);
            if (!f.isEmpty())
                faults << f;
        }
    }
}

} // namespace

class TestCaptions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void wholeOnSmallScreens_data();
    void wholeOnSmallScreens();
};

void TestCaptions::initTestCase()
{
    TestProgram program;
    QFile::link(QStringLiteral(QUADRIVEL_ASSETS_DIR "/fonts"), program.folder() + QStringLiteral("/fonts"));
    registerFonts();
}

void TestCaptions::wholeOnSmallScreens_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QSize>("screen");
    for (const auto &[name, factory] : programWindows()) {
        if (!factory)
            continue;
        for (const char *language : {"Italiano", "English"}) {
            for (const QSize screen : {QSize(800, 600), QSize(1024, 768)})
                QTest::addRow("%s %s %dx%d", qPrintable(name), language, screen.width(), screen.height())
                    << name << QString::fromLatin1(language) << screen;
        }
    }
}

void TestCaptions::wholeOnSmallScreens()
{
    QFETCH(QString, window);
    QFETCH(QString, language);
    QFETCH(QSize, screen);
    TestProgram program(TestProgram::Assets::Shipped, screen);
    // The main menu reads the language from the setting.
    program.writeFile(QStringLiteral("LangSetting.ini"),
                      "[Language]\r\nCurrentLanguage=\"" + language.toLatin1() + "\"\r\n");
    state().currentLanguageName = language;
    FormBase *form = openWindow(window);
    QVERIFY(form);

    QStringList faults;
    collectFaults(form, faults);
    // The choose-terms frame covers the window when it is open.
    for (QObject *control : form->controls()) {
        const QString name = control->objectName();
        if (name == QLatin1String("MenuNumeroMassimo") || name == QLatin1String("MenuScegli")) {
            qobject_cast<QAction *>(control)->trigger();
            collectFaults(form, faults);
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

QTEST_MAIN(TestCaptions)
#include "tst_captions.moc"
