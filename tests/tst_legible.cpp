// What a child reads stays readable on the smallest screen the program
// supports and on a common one: every caption of every window of the
// registry whole in both languages (no word cut, no line cut off at the top
// or bottom, no caption broken over lines when it fits on one); carries
// large, whole and clear of everything around them; the menu bar's words
// standing out from every colour. Measured in the fonts the program ships.

#include "Fakes.h"
#include "app/Startup.h"
#include "app/Windows.h"
#include "frame/FittingLabel.h"
#include "frame/FormBase.h"
#include "frame/RoundButton.h"
#include "frame/Shapes.h"

#include <QMenuBar>

#include <QAction>
#include <QCheckBox>
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

// The height of the digits in font, ink only.
qreal digitHeight(const QFont &font)
{
    return QFontMetricsF(font).tightBoundingRect(QStringLiteral("0123456789")).height();
}

// Whether line, 3 pixels wide, passes through rect.
bool crosses(const Line *line, const QRect &rect)
{
    const QPointF a(line->x1(), line->y1()), b(line->x2(), line->y2());
    const int steps = std::max(1, int(QLineF(a, b).length()));
    for (int i = 0; i <= steps; ++i) {
        if (rect.adjusted(-1, -1, 1, 1).contains((a + (b - a) * i / steps).toPoint()))
            return true;
    }
    return false;
}

} // namespace

class TestLegible : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void wholeOnSmallScreens_data();
    void wholeOnSmallScreens();
    void carriesLargeAndClear_data();
    void carriesLargeAndClear();
    void menuBarReadable_data();
    void menuBarReadable();
};

void TestLegible::initTestCase()
{
    TestProgram program;
    state().platform.programFolder = QStringLiteral(QUADRIVEL_ASSETS_DIR);
    registerFonts();
    QCOMPARE(QFontInfo(QFont(QStringLiteral("Comic Sans MS"))).family(), QStringLiteral("Comic Neue"));
}

void TestLegible::wholeOnSmallScreens_data()
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

void TestLegible::wholeOnSmallScreens()
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

void TestLegible::carriesLargeAndClear_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("carries");
    QTest::addColumn<QSize>("screen");
    const QStringList column = {"CambioUp", "CambioUa", "CambioDap", "CambioDaa"};
    const QStringList rows = {"CambioUp", "CambioUa", "CambioDap", "CambioDaa", "CambioUp1", "CambioUa1", "CambioUp2",
                              "CambioUa2", "cp1", "ca1", "cp2", "ca2", "cp3", "ca3"};
    for (const QSize screen : {QSize(800, 600), QSize(1024, 768)}) {
        const QByteArray size = QByteArray::number(screen.width()) + 'x' + QByteArray::number(screen.height());
        QTest::newRow("FormCol2 " + size) << "FormCol2" << "Eur" << column << screen;
        QTest::newRow("Formcolb " + size) << "Formcolb" << "Eur" << column << screen;
        QTest::newRow("FormColc " + size) << "FormColc" << "Eur" << rows << screen;
        QTest::newRow("Formreti " + size) << "Formreti" << "ru" << QStringList{"Cambio1", "Cambio2", "Cambio3"}
                                          << screen;
    }
}

// A carry's digits are well over half as tall as the answers' (0.6), whole in its
// box, and its box overlaps no other control and no line of the window.
void TestLegible::carriesLargeAndClear()
{
    QFETCH(QString, window);
    QFETCH(QString, answer);
    QFETCH(QStringList, carries);
    QFETCH(QSize, screen);
    TestProgram program(TestProgram::Assets::Shipped, screen);
    FormBase *form = openWindow(window);
    QVERIFY(form);
    auto *answerBox = qobject_cast<QWidget *>(form->control(answer));
    QVERIFY(answerBox);
    for (const QString &name : carries) {
        auto *carry = qobject_cast<QLabel *>(form->control(name));
        QVERIFY2(carry, qPrintable(name));
        QVERIFY2(digitHeight(carry->font()) >= 0.6 * digitHeight(answerBox->font()), qPrintable(name));
        const QFontMetricsF metrics(carry->font());
        const QRect room = carry->contentsRect();
        QVERIFY2(metrics.height() <= room.height() && metrics.horizontalAdvance(u'8') <= room.width(),
                 qPrintable(name));
        for (QObject *control : form->controls()) {
            auto *other = qobject_cast<QWidget *>(control);
            if (!other || other == carry || other->parentWidget() != carry->parentWidget())
                continue;
            const bool clash = qobject_cast<Line *>(other) ? crosses(static_cast<Line *>(other), carry->geometry())
                                                           : other->geometry().intersects(carry->geometry());
            QVERIFY2(!clash || other->objectName() == QLatin1String("CorniceNumeroMassimo"),
                     qPrintable(name + QStringLiteral(" overlaps ") + other->objectName()));
        }
    }
}

void TestLegible::menuBarReadable_data()
{
    QTest::addColumn<QColor>("background");
    QTest::newRow("dark orange") << QColor(192, 64, 0);
    QTest::newRow("magenta") << QColor(255, 0, 255);
    QTest::newRow("orange") << QColor(255, 128, 0);
    QTest::newRow("salmon") << QColor(255, 128, 128);
    QTest::newRow("cyan") << QColor(0, 255, 255);
    QTest::newRow("mid grey") << QColor(119, 119, 119);
    QTest::newRow("navy") << QColor(0, 0, 128);
    QTest::newRow("white") << QColor(255, 255, 255);
}

// The menu bar shows the window's colour; its words read at 4.5 to 1 on it,
// in an exercise window and in a menu, after every change of colour.
void TestLegible::menuBarReadable()
{
    QFETCH(QColor, background);
    TestProgram program;
    for (const char *window : {"FormEserci", "FormMenu"}) {
        FormBase *form = openWindow(QString::fromLatin1(window));
        QVERIFY(form);
        form->setBackground(background);
        const QPalette bar = form->menuBar()->palette();
        QCOMPARE(bar.color(QPalette::Window), background);
        QVERIFY2(contrast(bar.color(QPalette::ButtonText), background) >= 4.5, window);
        QVERIFY2(contrast(bar.color(QPalette::WindowText), background) >= 4.5, window);
    }
}

QTEST_MAIN(TestLegible)
#include "tst_legible.moc"
