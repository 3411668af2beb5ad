#include "app/Menus.h"

#include "app/Startup.h"
#include "frame/ReadAloud.h"
#include "frame/RoundButton.h"
#include "lang/Language.h"
#include "lang/LastResort.h"
#include "lang/Localise.h"
#include "lang/Voice.h"
#include "platform/ProgramState.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

// Two-column menus: column lefts, widths and the row pitch, in twips.
constexpr int kLeftColumn = 600;
constexpr int kRightColumn = 8040;
constexpr int kColumnWidth = 6720;
constexpr int kButtonHeight = 900;
constexpr int kRowPitch = 1140;
constexpr int kFirstRow = 720;
constexpr int kBottomRow = 9360;

constexpr int row(int i) { return kFirstRow + i * kRowPitch; }

} // namespace

FormMenu::FormMenu() : MenuForm(QStringLiteral("FormMenu"))
{
    constexpr int left = 4080;
    constexpr int width = 7200;
    auto *grafici = addDestination(QStringLiteral("Command2"), QStringLiteral("Esercizi con supporto grafico"),
                                   QStringLiteral("FormMenuGrafici"), left, 1800, width, 1320);
    auto *numeri = addDestination(QStringLiteral("Command3"), QStringLiteral("Esercizi con solo numeri"),
                                  QStringLiteral("FormMenuNumeri"), left, 3600, width, 1320);
    const QFont big = layoutFont(QStringLiteral("Comic Sans MS"), 18);
    grafici->setFont(big);
    numeri->setFont(big);
    addSoundsBox(left + 1800, 5520, width - 1800, 720);
    Check2 = add(new QCheckBox(QStringLiteral("Leggi ad alta voce")), QStringLiteral("Check2"), left + 1800, 6300,
                 width - 1800, 720);
    Check2->setFont(Check1->font());
    Check2->setAutoFillBackground(true);
    Check2->setCursor(Qt::PointingHandCursor);
    connect(Check2, &QCheckBox::toggled, this, [](bool on) {
        state().letturaAttivata = on;
        if (!on)
            state().platform.speaker->stop();
    });
    connect(state().platform.speaker.get(), &Speaker::readinessChanged, this, &FormMenu::followSpeaker);

    auto *esci = add(new RoundButton(QStringLiteral("Esci")), QStringLiteral("Command1"), left + 1800, 7200,
                     width - 3600, 1080);
    esci->setFont(big);
    connect(esci, &QPushButton::clicked, this, [this] { ConfermaUscita(this); });

    mnuLanguages_ = addMenuHeading(QStringLiteral("mnuLanguages"), QStringLiteral("Lingua"));
    QAction *first = addMenuItem(mnuLanguages_, QStringLiteral("mnuLanguage"), QStringLiteral("mnuLanguage 0"), 0);
    mnuLanguage_.push_back(first);
}

void FormMenu::beforeLocalise()
{
    MLSFillMenuLanguages();
}

void FormMenu::afterLoad()
{
    MenuForm::afterLoad();
    Check2->setChecked(state().letturaAttivata);
    paintLikeWindow(Check2);
    followSpeaker();
}

void FormMenu::followSpeaker()
{
    const bool usable = canReadAloud();
    Check2->setEnabled(usable);
    const bool noEngine = state().platform.speaker->readiness() == Speaker::Readiness::NoEngine;
    const QString tip = usable ? QStringLiteral("0298") : noEngine ? QStringLiteral("0292") : QStringLiteral("0293");
    Check2->setToolTip(MLSGetString(tip));
}

void FormMenu::MLSFillMenuLanguages()
{
    const std::vector<QString> names = languageFileNames(state().platform.programFolder);
    if (names.empty()) {
        // No language file: the menu says so in its one entry, which offers
        // nothing to choose.
        showMessage(this, lastResortText(u"NoLanguageFile"), QString(), MessageButtons::Ok, MessageIcon::None);
        mnuLanguage_.front()->setText(lastResortText(u"NoLanguageItem"));
        mnuLanguage_.front()->setEnabled(false);
        return;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            mnuLanguage_.push_back(addMenuItem(mnuLanguages_, QStringLiteral("mnuLanguage"), QString(),
                                               static_cast<int>(i)));
        QAction *item = mnuLanguage_[i];
        item->setText(names[i]);
        item->setCheckable(true);
        item->setChecked(false);
        connect(item, &QAction::triggered, this, [this, i] { chooseLanguage(static_cast<int>(i)); });
    }

    state().currentLanguageName = readLanguageSetting();
    for (QAction *item : mnuLanguage_) {
        if (item->text() == state().currentLanguageName) {
            item->setChecked(true);
            break;
        }
    }
}

void FormMenu::chooseLanguage(int i)
{
    for (QAction *item : mnuLanguage_)
        item->setChecked(false);
    QAction *chosen = mnuLanguage_.at(static_cast<std::size_t>(i));
    chosen->setChecked(true);
    const QString name = chosen->text();
    state().currentLanguageName = name;
    state().platform.speaker->setVoice(voiceOfLanguage());
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *form = qobject_cast<FormBase *>(window))
            MLSLocaliseForm(form, form->controls());
    }
    followSpeaker();
    // A choice that will be gone at the next start is said, in the language
    // just chosen.
    const SettingSaved saved = writeLanguageSetting(name);
    if (saved == SettingSaved::Yes)
        return;
    const QString id = saved == SettingSaved::Nowhere ? QStringLiteral("0287") : QStringLiteral("0288");
    showStringMessage(this, id, QStringLiteral("Quadrivel"), MessageButtons::Ok, MessageIcon::Error);
}

FormMenuGrafici::FormMenuGrafici() : MenuForm(QStringLiteral("FormMenuGrafici"))
{
    addTwoColumns(
        {
            {"Command5", "Schieramenti semplici (unità x unità)", "Formu"},
            {"Command6", "Schieramenti -  da u  (prodotto entro 99) - senza cambio", "FormdauS"},
            {"Command7", "Schieramenti -  h da u  (prodotto entro 999) - senza cambio", "FormhdauS"},
            {"Command4", "Schieramenti -  da u  (prodotto entro 99) - con cambio", "formdau99"},
            {"Command3", "Schieramenti  -  da u (prodotto entro 999) - con cambio", "Formdau"},
            {"Command2", " Schieramenti  - h da u  (prodotto entro 999) - con cambio", "Formhdau"},
            {"Command8", "Reticoli", "Reticoli"},
            {"Command1", "Costruire le numerazioni con la tabella", "Form1"},
        },
        {
            {"Command10", "Costruire le numerazioni con il disegno", "FormEserc2"},
            {"Command9", "Semplici problemi con disegno", "FormEserc1"},
            {"Command12", "Memorizzare le tabelline  (con tabella da 0 a 99)", "FormEsercizi"},
        },
        "Command19");
}

FormMenuNumeri::FormMenuNumeri() : MenuForm(QStringLiteral("FormMenuNumeri"))
{
    addTwoColumns(
        {
            {"Command11", "Memorizzare le tabelline", "FormEserci"},
            {"Command12", "Memorizzare le tabelline  (con tabella da 0 a 99)", "FormEsercizi2"},
            {"Command2", "Completare la tavola pitagorica", "Form2"},
            {"Command14", "In colonna - 2 cifre per una cifra - (senza cambio)", "FormCol1"},
            {"Command13", "In colonna - 3 cifre per una cifra - (senza cambio)", "FormCola"},
            {"Command16", "In colonna - 2 cifre per una cifra - (con il cambio)", "FormCol2"},
        },
        {
            {"Command15", "In colonna - 3 cifre per una cifra - (con il cambio)", "Formcolb"},
            {"Command17", "In colonna - 3 cifre per due cifre - (con il cambio)", "FormColc"},
            {"Command18", "griglia  - 3 cifre per due cifre -     (con il cambio)", "Formreti"},
        },
        "Command1");
}

void MenuForm::addTwoColumns(std::initializer_list<Destination> left, std::initializer_list<Destination> right,
                             const char *backButton)
{
    auto column = [this](std::initializer_list<Destination> entries, int x) {
        int i = 0;
        for (const Destination &e : entries)
            addDestination(QString::fromUtf8(e.name), QString::fromUtf8(e.caption), QString::fromUtf8(e.window), x,
                           row(i++), kColumnWidth, kButtonHeight);
        return i;
    };
    column(left, kLeftColumn);
    const int rows = column(right, kRightColumn);
    addSoundsBox(kRightColumn + 600, row(rows) + 240, kColumnWidth - 600, 720);
    addDestination(QString::fromUtf8(backButton), QStringLiteral("Torna al menù principale"),
                   QStringLiteral("FormMenu"), kRightColumn, kBottomRow, kColumnWidth, kButtonHeight);
}
