#include "Fakes.h"
#include "exercises/pictures/CatalogoFigure.h"
#include "exercises/pictures/FormEserc1.h"
#include "exercises/pictures/FormEserc2.h"
#include "exercises/pictures/PictureBox.h"
#include "exercises/pictures/RoundedLabel.h"
#include "frame/DigitBox.h"
#include "lang/Language.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QLoggingCategory>
#include <QPainter>
#include <QPushButton>
#include <QThreadPool>
#include <QtTest>

namespace {

const QString kAssets = QStringLiteral(QUADRIVEL_ASSETS_DIR);

void answer(DigitBox *box, const QString &digits)
{
    box->setFocus();
    box->clear();
    QTest::keyClicks(box, digits);
    QTest::keyClick(box, Qt::Key_Return);
}

// Opens a picture window; the first problem comes from the draws given, after
// the colour: for FormEserc1 the group and the count of subjects, for
// FormEserc2 the group alone; then the entry.
template <class W>
W *openPictures(TestProgram &program, const QString &name, std::initializer_list<std::pair<int, int>> draws)
{
    program.rnd->draw(0, 18);
    for (const auto &[n, k] : draws)
        program.rnd->draw(n, k);
    return static_cast<W *>(openWindow(name));
}

void tickOnly(FormBase *w, int term, const QString &confirm)
{
    for (int i = 1; i <= 10; ++i)
        qobject_cast<QCheckBox *>(w->control(QStringLiteral("OpPrimo"), i))->setChecked(i == term);
    QTest::mouseClick(qobject_cast<QPushButton *>(w->control(confirm)), Qt::LeftButton);
}

QPushButton *avanti(FormBase *w)
{
    return qobject_cast<QPushButton *>(w->control(QStringLiteral("BottoneAvanti")));
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A damaged picture is expected here; the image reader need not say so.
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio.jpeg.warning=false")); }
    void init()
    {
        program_ = std::make_unique<TestProgram>();
        state().currentLanguageName = readLanguageSetting();   // as at start-up
    }
    void cleanup() { program_.reset(); }

    void catalogue_data();
    void catalogue();
    void wordProblemAnswers_data();
    void wordProblemAnswers();
    void onlySevenTicked();
    void stuckGeneratorGivesWay();
    void sequenceReading_data();
    void sequenceReading();
    void wholeSequence();
    void middleBoxWrongThenRight();
    void avantiWithEveryTermUnticked();
    void unreadablePicture_data();
    void unreadablePicture();
    void pictureFollowsResize();
    void boxGoesWhilePictureIsRead();
    void cardOnAnyColour_data();
    void cardOnAnyColour();
    void spokenSentence_data();
    void spokenSentence();
    void readAloudOnlyWhenOn_data();
    void readAloudOnlyWhenOn();

private:
    std::unique_ptr<TestProgram> program_;
};

void TestPictures::catalogue_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("firstId");
    struct Row {
        int n, k;
        const char *file;
        int id;
    };
    static const Row rows[] = {
        {1, 1, "strega", 92},    {1, 2, "Gallo", 95},      {1, 3, "berretto", 98},   {1, 4, "elefante", 101},
        {1, 5, "anello", 104},   {1, 6, "camino", 107},    {1, 7, "casa", 110},      {1, 8, "casa", 113},
        {2, 1, "Fiore", 122},    {2, 2, "Gallo", 125},     {2, 3, "ape", 128},       {2, 4, "rose", 131},
        {2, 5, "OCCHIALI", 134}, {2, 6, "OCCHIALI", 137},  {2, 7, "cammello", 140},  {2, 8, "bersaglio", 143},
        {2, 9, "bicicletta", 146}, {2, 10, "birilli", 149}, {2, 11, "calze", 152},   {2, 12, "casa", 155},
        {3, 1, "edera", 158},    {3, 2, "olive", 161},     {3, 3, "tenda", 164},     {3, 4, "semaforo", 167},
        {3, 5, "nido", 170},     {3, 6, "fragole", 173},   {3, 7, "arco", 176},      {3, 8, "ciliegie", 179},
        {3, 9, "tromba", 182},   {3, 10, "fagioli", 185},  {4, 1, "Cane", 188},      {4, 2, "pattino", 191},
        {4, 3, "capra", 194},    {4, 4, "mulino", 197},    {4, 5, "bottone", 200},   {4, 6, "farfalla", 203},
        {4, 7, "elica", 206},    {4, 8, "famiglia", 209},  {5, 1, "Fiore", 215},     {5, 2, "mano", 218},
        {5, 3, "stella", 221},   {5, 4, "giglio", 224},    {5, 5, "medusa", 227},    {5, 6, "corona", 230},
        {6, 1, "zanzara", 233},  {6, 2, "mosca", 236},     {6, 3, "rose", 239},      {6, 4, "giacca", 242},
        {6, 5, "bruco", 245},    {6, 6, "giostra", 248},   {7, 1, "fata", 254},      {7, 2, "fungo", 257},
        {7, 3, "aquilone", 260}, {7, 4, "scale", 263},     {8, 1, "ragno", 266},     {8, 2, "farfalla", 269},
        {8, 3, "scala", 272},    {8, 4, "ruota", 275},     {8, 5, "xilofono", 278},  {9, 1, "palma", 281},
        {9, 2, "torta", 284},    {10, 1, "mani", 116},     {10, 2, "catasta", 119},
    };
    for (const Row &r : rows)
        QTest::addRow("%d/%d %s", r.n, r.k, r.file) << r.n << r.k << QString::fromLatin1(r.file) << r.id;
}

// Every entry: its file and ids as the table has them, its three texts in both
// shipped languages, and its picture shipped under that exact name, readable
// and large enough to stay sharp on a large screen.
void TestPictures::catalogue()
{
    QFETCH(int, n);
    QFETCH(int, k);
    QFETCH(QString, file);
    QFETCH(int, firstId);
    static const int entries[] = {0, 8, 12, 10, 8, 6, 6, 4, 5, 2, 2, 0};
    QCOMPARE(CatalogoFigure::numeroVoci(n), entries[n]);
    QCOMPARE(CatalogoFigure::numeroVoci(n - 1), entries[n - 1]);
    QCOMPARE(CatalogoFigure::numeroVoci(n + 1), entries[n + 1]);

    const CatalogoFigure::Voce v = CatalogoFigure::voce(n, k);
    const auto id = [](int i) { return QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0')); };
    QCOMPARE(v.figura, file + QStringLiteral(".jpg"));
    QCOMPARE(v.idSoggetto, id(firstId));
    QCOMPARE(v.idOggetto, id(firstId + 1));
    QCOMPARE(v.idTesto, id(firstId + 2));

    for (const char *language : {"Italiano.lng", "English.lng"}) {
        const QString path = kAssets + QLatin1Char('/') + QLatin1String(language);
        for (const QString &key : {v.idSoggetto, v.idOggetto, v.idTesto})
            QVERIFY2(!MLSReadIni(path, QStringLiteral("Strings"), key).isEmpty(), qPrintable(language + key));
    }
    QVERIFY(QDir(kAssets + QStringLiteral("/jpg")).entryList(QDir::Files).contains(v.figura));
    const QSize size = QImageReader(kAssets + QStringLiteral("/jpg/") + v.figura).size();
    QVERIFY2(std::max(size.width(), size.height()) >= 512, qPrintable(v.figura));
}

void TestPictures::wordProblemAnswers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("right");
    // 7 subjects of the group 2: 14 objects.
    QTest::newRow("14") << "14" << true;
    QTest::newRow("014 is 14") << "014" << true;
    QTest::newRow("0 is never right") << "0" << false;
    QTest::newRow("140") << "140" << false;
    QTest::newRow("the count alone") << "7" << false;
}

void TestPictures::wordProblemAnswers()
{
    QFETCH(QString, typed);
    QFETCH(bool, right);
    // Group 2, 7 subjects, entry 2 of the group (the rooster's legs).
    auto *w = openPictures<FormEserc1>(*program_, QStringLiteral("FormEserc1"), {{1, 10}, {6, 10}, {1, 12}});
    QCOMPARE(w->Label3->text(), QStringLiteral(" 7"));
    QCOMPARE(w->EtSoggetto->text(), QStringLiteral("galli"));
    QCOMPARE(w->EtOggetto->text(), QStringLiteral("zampe"));
    QVERIFY(w->Label4->text().startsWith(QStringLiteral("Ogni gallo ha due zampe.")));
    QVERIFY(w->Image1->path().endsWith(QStringLiteral("/jpg/Gallo.jpg")));
    QCOMPARE(w->Image1->accessibleName(), w->EtSoggetto->text());
    QCOMPARE(w->TestoInserito->accessibleName(),
             QStringLiteral("7 galli. Ogni gallo ha due zampe. Quante zampe hanno i galli? risposta"));
    QCOMPARE(QAccessible::queryAccessibleInterface(w->TestoInserito)->text(QAccessible::Description),
             QStringLiteral("Scrivi qui quanti sono in tutto e premi Invio"));
    QCOMPARE(program_->rnd->remaining(), 0u);

    // Enter on an empty box does nothing.
    QTest::keyClick(w->TestoInserito, Qt::Key_Return);
    QCOMPARE(state().contaErrati + state().contaEsatti, 0);

    if (right)
        program_->rnd->draw(0, 4);   // the yes sound
    answer(w->TestoInserito, typed);
    QCOMPARE(state().contaEsatti, right ? 1 : 0);
    QCOMPARE(state().contaErrati, right ? 0 : 1);
    QCOMPARE(w->TestoInserito->isEnabled(), !right);
    QCOMPARE(avanti(w)->isEnabled(), right);
    QCOMPARE(w->TestoInserito->text(), typed);
    QCOMPARE(program_->rnd->unscripted, 0);
    if (!right) {
        QTest::keyClick(w->TestoInserito, Qt::Key_Return);
        QCOMPARE(state().contaErrati, 2);
        return;
    }
    // "avanti" draws the next problem and opens the box again.
    program_->rnd->draw(0, 18);
    program_->rnd->draw(9, 10);
    program_->rnd->draw(0, 10);
    program_->rnd->draw(1, 2);
    QTest::mouseClick(avanti(w), Qt::LeftButton);
    QVERIFY(w->Image1->path().endsWith(QStringLiteral("/jpg/catasta.jpg")));
    QCOMPARE(w->Label3->text(), QStringLiteral(" 1"));
    QVERIFY(w->TestoInserito->isEnabled() && w->TestoInserito->text().isEmpty());
    QVERIFY(!avanti(w)->isEnabled());
    QCOMPARE(program_->rnd->remaining(), 0u);
}

// With only the box 7 ticked every problem comes from the group 7: the group
// is drawn again until it is 7; the count of subjects is never drawn again.
void TestPictures::onlySevenTicked()
{
    auto *w = openPictures<FormEserc1>(*program_, QStringLiteral("FormEserc1"), {{0, 10}, {0, 10}, {0, 8}});
    for (int k = 1; k <= 4; ++k) {
        program_->rnd->draw(0, 18);
        program_->rnd->draw(3, 10);      // 4: not ticked
        program_->rnd->draw(k + 4, 10);  // the subjects: 6 to 9
        program_->rnd->draw(9, 10);      // 10: not ticked
        program_->rnd->draw(6, 10);      // 7
        program_->rnd->draw(k - 1, 4);
        if (k == 1)
            tickOnly(w, 7, QStringLiteral("Command1"));
        else
            QTest::mouseClick(avanti(w), Qt::LeftButton);
        QCOMPARE(w->NumeroOggetti(), 7);
        static const char *const figure[] = {"fata", "fungo", "aquilone", "scale"};
        QVERIFY(w->Image1->path().endsWith(QStringLiteral("/jpg/%1.jpg").arg(QLatin1String(figure[k - 1]))));
        program_->rnd->draw(0, 4);
        answer(w->TestoInserito, QString::number(7 * (k + 5)));
        QCOMPARE(state().contaEsatti, k);
        QCOMPARE(program_->rnd->remaining(), 0u);
    }
    QCOMPARE(state().contaErrati, 0);
}

void TestPictures::stuckGeneratorGivesWay()
{
    auto *w = openPictures<FormEserc2>(*program_, QStringLiteral("FormEserc2"), {{0, 10}, {0, 8}});
    // An exhausted script reads 0 for ever, that is the group 1, unticked.
    tickOnly(w, 7, QStringLiteral("Command3D2"));
    QCOMPARE(w->NumeroOggetti(), 7);
    QVERIFY(w->TestoInserito[0]->isEnabled());
}

void TestPictures::sequenceReading_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("read");
    QTest::newRow("123 in box 3 reads 23") << 3 << "123" << 23.0;
    QTest::newRow("7 reads 7") << 3 << "7" << 7.0;
    QTest::newRow("014 reads 14") << 9 << "014" << 14.0;
    QTest::newRow("000 reads 0") << 0 << "000" << 0.0;
    QTest::newRow("box 10 reads it whole") << 10 << "100" << 100.0;
    QTest::newRow("blanks trimmed") << 5 << " 35 " << 35.0;
}

void TestPictures::sequenceReading()
{
    QFETCH(int, box);
    QFETCH(QString, typed);
    QFETCH(double, read);
    QCOMPARE(FormEserc2::letturaCasella(box, typed), read);
}

// Group 10: box 0 expects 0 and box 10 expects 100; the completed row is one
// right answer, and each wrong Enter on the way counts.
void TestPictures::wholeSequence()
{
    auto *w = openPictures<FormEserc2>(*program_, QStringLiteral("FormEserc2"), {{9, 10}, {0, 2}});
    QVERIFY(w->Image1->path().endsWith(QStringLiteral("/jpg/mani.jpg")));
    QCOMPARE(w->EtOggetto->text(), QStringLiteral("dita"));
    answer(w->TestoInserito[0], QStringLiteral("10"));
    QTest::keyClick(w->TestoInserito[0], Qt::Key_Return);
    QCOMPARE(state().contaErrati, 2);
    for (int i = 0; i <= 10; ++i) {
        for (int j = 0; j <= 10; ++j)
            QCOMPARE(w->TestoInserito[j]->isEnabled(), j == i);
        if (i == 10)
            program_->rnd->draw(0, 4);
        answer(w->TestoInserito[i], QString::number(10 * i));
        QCOMPARE(state().contaEsatti, i == 10 ? 1 : 0);
    }
    QCOMPARE(state().contaErrati, 2);
    QCOMPARE(program_->sound->played.size(), 3u);   // two no sounds, one yes sound
    QVERIFY(avanti(w)->isEnabled());
    QVERIFY(!w->TestoInserito[10]->isEnabled());
    QCOMPARE(w->TestoInserito[4]->text(), QStringLiteral("40"));

    program_->rnd->draw(0, 18);
    program_->rnd->draw(2, 10);
    program_->rnd->draw(0, 10);
    QTest::mouseClick(avanti(w), Qt::LeftButton);
    QCOMPARE(w->NumeroOggetti(), 3);
    QVERIFY(w->TestoInserito[0]->isEnabled() && w->TestoInserito[0]->text().isEmpty());
    QVERIFY(!avanti(w)->isEnabled());
    answer(w->TestoInserito[0], QStringLiteral("3"));
    QCOMPARE(state().contaErrati, 3);
    QCOMPARE(program_->rnd->remaining(), 0u);
}

void TestPictures::middleBoxWrongThenRight()
{
    auto *w = openPictures<FormEserc2>(*program_, QStringLiteral("FormEserc2"), {{9, 10}, {0, 2}});
    auto *yes = qobject_cast<QWidget *>(w->control(QStringLiteral("ComandoIconaSi")));
    auto *no = qobject_cast<QWidget *>(w->control(QStringLiteral("ComandoIconaNo")));
    for (int i = 0; i < 5; ++i)
        answer(w->TestoInserito[i], QString::number(10 * i));
    answer(w->TestoInserito[5], QStringLiteral("55"));
    QVERIFY(no->isVisible() && !yes->isVisible());
    answer(w->TestoInserito[5], QStringLiteral("50"));
    QVERIFY(yes->isVisible() && !no->isVisible());
    QVERIFY(w->TestoInserito[6]->isEnabled() && !w->TestoInserito[5]->isEnabled());
    QCOMPARE(state().contaErrati, 1);
}

// With the choose-terms frame open and every box unticked no group can be
// drawn: "avanti" leaves the answered problem as it is.
void TestPictures::avantiWithEveryTermUnticked()
{
    auto *w = openPictures<FormEserc1>(*program_, QStringLiteral("FormEserc1"), {{1, 10}, {6, 10}, {1, 12}});
    program_->rnd->draw(0, 4);
    answer(w->TestoInserito, QStringLiteral("14"));
    QVERIFY(avanti(w)->isEnabled());
    qobject_cast<QAction *>(w->control(QStringLiteral("MenuNumeroMassimo")))->trigger();
    for (int i = 1; i <= 10; ++i)
        qobject_cast<QCheckBox *>(w->control(QStringLiteral("OpPrimo"), i))->setChecked(false);
    QTest::mouseClick(avanti(w), Qt::LeftButton);
    QVERIFY(w->Image1->path().endsWith(QStringLiteral("/jpg/Gallo.jpg")));
    QCOMPARE(w->Label3->text(), QStringLiteral(" 7"));
    QVERIFY(!w->TestoInserito->isEnabled());
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestPictures::unreadablePicture_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("shown");
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("not a picture") << QByteArray("not a JPEG at all") << false;
    QFile real(kAssets + QStringLiteral("/jpg/strega.jpg"));
    QVERIFY(real.open(QIODevice::ReadOnly));
    QTest::newRow("cut short") << real.read(200) << false;
    real.seek(0);
    QTest::newRow("readable") << real.readAll() << true;
}

// The problem is asked all the same, with a neutral panel for the picture
// and nothing shown to the child.
void TestPictures::unreadablePicture()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, shown);
    QDir(program_->folder()).mkpath(QStringLiteral("jpg"));
    if (!bytes.isEmpty())
        program_->writeFile(QStringLiteral("jpg/strega.jpg"), bytes);
    auto *w = openPictures<FormEserc1>(*program_, QStringLiteral("FormEserc1"), {{0, 10}, {2, 10}, {0, 8}});
    QCOMPARE(w->Image1->hasPicture(), shown);
    QCOMPARE(w->EtSoggetto->text(), QStringLiteral("streghe"));
    QVERIFY(!w->Label4->text().isEmpty());
    w->repaint();
    QVERIFY(program_->dialogs->shown.empty());
    program_->rnd->draw(0, 4);
    answer(w->TestoInserito, QStringLiteral("3"));
    QCOMPARE(state().contaEsatti, 1);
}

// A picture shown before its box is resized is fitted again to the new size,
// the same as one shown at that size from the start (or from the cache).
void TestPictures::pictureFollowsResize()
{
    const QString path = kAssets + QStringLiteral("/jpg/strega.jpg");
    PictureBox late;
    late.resize(200, 150);
    late.load(path);
    late.grab();
    late.resize(400, 300);
    PictureBox direct;
    direct.resize(400, 300);
    direct.load(path);
    QVERIFY(direct.hasPicture());
    QCOMPARE(late.grab().toImage(), direct.grab().toImage());
    QVERIFY(late.hasPicture());
}

// The worker reading a picture outlives the box that asked for it: it must
// touch nothing of it (the sanitizer build checks this).
void TestPictures::boxGoesWhilePictureIsRead()
{
    for (const char *name : {"strega", "Gallo", "casa", "torta"}) {
        auto *box = new PictureBox;
        box->resize(400, 300);
        box->load(kAssets + QStringLiteral("/jpg/%1.jpg").arg(QLatin1String(name)));
        delete box;
    }
    QVERIFY(QThreadPool::globalInstance()->waitForDone(5000));
}

void TestPictures::cardOnAnyColour_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("radius");
    QTest::addColumn<QColor>("window");
    QTest::newRow("number, light window") << QSize(95, 105) << 8 << QColor(255, 255, 192);
    QTest::newRow("number, dark window") << QSize(51, 72) << 8 << QColor(0, 0, 128);
    QTest::newRow("problem text") << QSize(629, 438) << 14 << QColor(128, 255, 128);
    QTest::newRow("too small for corners") << QSize(20, 30) << 12 << QColor(255, 128, 0);
}

// The card is pieced together from shared corners: it must look as one
// rounded card drawn whole on the window's colour, without seams.
void TestPictures::cardOnAnyColour()
{
    QFETCH(QSize, size);
    QFETCH(int, radius);
    QFETCH(QColor, window);
    QWidget ground;
    ground.setAutoFillBackground(true);
    QPalette p = ground.palette();
    p.setColor(QPalette::Window, window);
    ground.setPalette(p);
    ground.resize(size);
    auto *label = new RoundedLabel(QString(), radius, &ground);
    label->resize(size);
    const QImage shown = ground.grab().toImage().convertToFormat(QImage::Format_RGB32);

    QImage expected(size, QImage::Format_RGB32);
    expected.fill(window);
    QPainter painter(&expected);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(200, 191, 168), 2));
    painter.setBrush(QColor(255, 253, 244));
    painter.drawRoundedRect(QRectF(1, 1, size.width() - 2, size.height() - 2), radius, radius);
    painter.end();

    int worst = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const QRgb a = shown.pixel(x, y), b = expected.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
        }
    }
    QVERIFY2(worst <= 2, qPrintable(QStringLiteral("a pixel differs by %1").arg(worst)));
}

using Draws = QList<QPoint>;   // (n, k): the next floor(Rnd x k) gives n

void TestPictures::spokenSentence_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("language");
    QTest::addColumn<Draws>("draws");
    QTest::addColumn<int>("rightBoxes");   // FormEserc2: boxes answered before the sentence
    QTest::addColumn<QString>("said");
    // FormEserc1: group 2, then the subjects, then entry 2 (the rooster's legs).
    QTest::newRow("FormEserc1 7 roosters, it")
        << "FormEserc1" << "Italiano" << Draws{{1, 10}, {6, 10}, {1, 12}} << 0
        << "7 galli. Ogni gallo ha due zampe. Quante zampe hanno i galli?";
    QTest::newRow("FormEserc1 7 roosters, en")
        << "FormEserc1" << "English" << Draws{{1, 10}, {6, 10}, {1, 12}} << 0
        << "7 roosters. Each rooster has two legs. How many legs do the roosters have?";
    QTest::newRow("FormEserc1 one rooster, it")
        << "FormEserc1" << "Italiano" << Draws{{1, 10}, {0, 10}, {1, 12}} << 0
        << "galli: 1. Ogni gallo ha due zampe. Quante zampe hanno i galli?";
    // FormEserc2: group 10, entry 1 (the children's fingers).
    QTest::newRow("FormEserc2 first box, it")
        << "FormEserc2" << "Italiano" << Draws{{9, 10}, {0, 2}} << 0
        << "Ogni bambino ha dieci dita nelle mani. Quante dita hanno i bambini? 0 bambini. Scrivi il numero di dita.";
    QTest::newRow("FormEserc2 one child, it")
        << "FormEserc2" << "Italiano" << Draws{{9, 10}, {0, 2}} << 1 << "bambini: 1. Scrivi il numero di dita.";
    QTest::newRow("FormEserc2 last box, en")
        << "FormEserc2" << "English" << Draws{{9, 10}, {0, 2}} << 10 << "10 children. How many fingers?";
}

// What is read aloud when a problem is shown and at each box of the row.
void TestPictures::spokenSentence()
{
    QFETCH(QString, window);
    QFETCH(QString, language);
    QFETCH(Draws, draws);
    QFETCH(int, rightBoxes);
    QFETCH(QString, said);
    state().currentLanguageName = language;
    state().letturaAttivata = true;
    program_->rnd->draw(0, 18);
    for (const QPoint &d : draws)
        program_->rnd->draw(d.x(), d.y());
    FormBase *w = openWindow(window);
    program_->speaker->heard();
    for (int i = 0; i < rightBoxes; ++i) {
        answer(static_cast<FormEserc2 *>(w)->TestoInserito[static_cast<std::size_t>(i)], QString::number(10 * i));
        program_->speaker->heard();
    }
    QVERIFY(!program_->speaker->heard().empty());
    QCOMPARE(program_->speaker->heard().back().text, said);
    QCOMPARE(program_->speaker->heard().size(), std::size_t(rightBoxes + 1));
    QCOMPARE(program_->rnd->remaining(), 0u);
}

void TestPictures::readAloudOnlyWhenOn_data()
{
    QTest::addColumn<bool>("on");
    QTest::newRow("on") << true;
    QTest::newRow("off") << false;
}

// The row of the fingers: a new problem and each new box are read, a wrong
// answer by its verdict, the completed row by its verdict alone.
void TestPictures::readAloudOnlyWhenOn()
{
    QFETCH(bool, on);
    state().letturaAttivata = on;
    const auto said = [this] { return program_->speaker->heard(); };
    auto *w = openPictures<FormEserc2>(*program_, QStringLiteral("FormEserc2"), {{9, 10}, {0, 2}});
    QCOMPARE(said().size(), on ? 1u : 0u);
    answer(w->TestoInserito[0], QStringLiteral("10"));
    QCOMPARE(said().size(), on ? 2u : 0u);
    if (on)
        QCOMPARE(said().back().text, QStringLiteral("Riprova"));
    for (int i = 0; i <= 10; ++i) {
        if (i == 10)
            program_->rnd->draw(0, 4);
        answer(w->TestoInserito[i], QString::number(10 * i));
        said();
    }
    QCOMPARE(said().size(), on ? 13u : 0u);
    if (on)
        QCOMPARE(said().back().text, QStringLiteral("Bravo!"));
    program_->rnd->draw(0, 18);
    program_->rnd->draw(2, 10);
    program_->rnd->draw(0, 10);
    QTest::mouseClick(avanti(w), Qt::LeftButton);
    QCOMPARE(said().size(), on ? 14u : 0u);
    if (on)
        QVERIFY(said().back().text.startsWith(QStringLiteral("Ogni rametto di edera ha tre foglie.")));
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
