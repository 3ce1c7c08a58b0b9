#include "shell/TSar.h"
#include "shell/ProgramEnd.h"
#include "shell/WinLSys.h"
#include "tools/ToolWindows.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace sarw {

namespace {

constexpr const char* kNotYet = "Prikaz zatim neni k dispozici.";

QMenu* submenu(QMenu* parent, const char* caption) {
    QMenu* m = parent->addMenu(QString::fromLatin1(caption));
    m->setToolTipsVisible(true);
    return m;
}

QMenu* topMenu(QMenuBar* bar, const char* caption) {
    QMenu* m = bar->addMenu(QString::fromLatin1(caption));
    m->setToolTipsVisible(true);
    return m;
}

} // namespace

QAction* TSar::add(QMenu* menu, const char* caption, const char* handler, void (TSar::*run)()) {
    QAction* a = menu->addAction(QString::fromLatin1(caption));
    a->setObjectName(QString::fromLatin1(handler));
    connect(a, &QAction::triggered, this, [this, run] { (this->*run)(); });
    return a;
}

// A command whose window is not part of the program yet: present, gated in its handler, and
// disabled with a hint instead of pretending to work.
QAction* TSar::later(QMenu* menu, const char* caption, const char* handler, void (TSar::*run)()) {
    QAction* a = add(menu, caption, handler, run);
    a->setEnabled(false);
    a->setToolTip(QString::fromLatin1(kNotYet));
    return a;
}

QAction* TSar::command(const char* handler) const {
    return findChild<QAction*>(QString::fromLatin1(handler));
}

void TSar::buildMenu() {
    QMenuBar* bar = menuBar();
    dos_ = topMenu(bar, "Dos");
    add(dos_, "Prevod pocatecnich stavu", "DosPrevStavy", &TSar::DosPrevStavy);
    add(dos_, "Prevod obratu", "DosPrevObraty", &TSar::DosPrevObraty);
    add(dos_, "Prevod ciselniku", "DosPrevCis", &TSar::DosPrevCis);

    QMenu* data = topMenu(bar, "Data");
    add(data, "Pocatecni stavy", "DataStavy", &TSar::DataStavy);
    add(data, "Obraty", "DataObraty", &TSar::DataObraty);

    QMenu* views = topMenu(bar, "Prehlady");
    add(views, "Inventurni soupis", "SesInv", &TSar::SesInv);
    add(views, "Regleta", "SesReg", &TSar::SesReg);
    add(views, "Skladove karty", "SesSklK", &TSar::SesSklK);

    QMenu* tables = topMenu(bar, "Tabulky");
    add(tables, "Pocatecni mesicni stavy", "TabStavy", &TSar::TabStavy);
    add(tables, "Mesicni obraty", "TabObraty", &TSar::TabObraty);
    add(tables, "Obraty za zvolene obdobi", "TabObratyOdDo", &TSar::TabObratyOdDo);
    add(tables, "Mesicni Stavy+Obraty", "TabStavyObraty", &TSar::TabStavyObraty);
    add(tables, "Aktualni stavy", "TabAktStavy", &TSar::TabAktStavy);

    QMenu* transfers = topMenu(bar, "Prevody");
    add(transfers, "Ucetnictvi", "Ucto", &TSar::Ucto);
    QMenu* cumulation = submenu(transfers, "Kumulace pro podnikovou instalaci");
    cumulation->addAction(QStringLiteral("Kumulace stavu"));
    cumulation->addAction(QStringLiteral("Kumulace obratu"));

    QMenu* closing = topMenu(bar, "Uzaverka");
    add(closing, "Mesicni", "UzavMes", &TSar::UzavMes);

    QMenu* codebooks = topMenu(bar, "Ciselniky");
    add(codebooks, "Cinnosti", "ACinn", &TSar::ACinn);
    add(codebooks, "Konta", "AKonta", &TSar::AKonta);
    add(codebooks, "Materialove skupiny", "AMS", &TSar::AMS);
    add(codebooks, "Merne jednotky", "AMJ", &TSar::AMJ);
    add(codebooks, "Druhy pohybu", "ADP", &TSar::ADP);
    add(codebooks, "Materialy", "AMater", &TSar::AMater);
    add(codebooks, "Prevod do Ucetnictvi", "AUcto", &TSar::AUcto);

    QMenu* service = topMenu(bar, "Servis");
    QMenu* archive = submenu(service, "Archivace");
    add(archive, "Ulozeni dat", "ArchFile", &TSar::ArchFile);
    add(archive, "Obnova dat po havarii", "ObnovaDat", &TSar::ObnovaDat);
    add(archive, "Obnova dat s poslednim ulozenym dokladem", "ObnovaDatPoslDokl",
        &TSar::ObnovaDatPoslDokl);
    add(service, "Ucetni obdobi", "NObdobi", &TSar::NObdobi);
    QMenu* defs = submenu(service, "Definicni soubory");
    add(defs, "Inicializacni soubor", "DefInic", &TSar::DefInic);
    QMenu* document = submenu(defs, "Doklad o pohybu materialu");
    add(document, "Text pred dokladem", "DefDoklP", &TSar::DefDoklP);
    add(document, "Doklad", "DefDokl", &TSar::DefDokl);
    add(document, "Text za dokladem", "DefDoklZ", &TSar::DefDoklZ);
    QMenu* inventory = submenu(defs, "Inventurni soupis");
    add(inventory, "Horni zahlavi", "DefInvP", &TSar::DefInvP);
    add(inventory, "Text vpravo", "DefInvR", &TSar::DefInvR);
    add(inventory, "Dolni zahlavi", "DefInvZ", &TSar::DefInvZ);
    QMenu* editors = submenu(service, "Editory");
    add(editors, "ASCII - Editor", "EditAt", &TSar::EditAt);
    add(editors, "RTF - Editor", "EditRt", &TSar::EditRt);
    add(editors, "RVF - Editor", "EditRv", &TSar::EditRv);
    add(editors, "Image - Editor", "EditIm", &TSar::EditIm);
    QMenu* viewers = submenu(service, "Prohlizece");
    add(viewers, "Prohlizec obrazku", "ProhlObr", &TSar::ProhlObr);
    add(viewers, "Prehravac medii", "PrehrMedii", &TSar::PrehrMedii);

    QAction* end = bar->addAction(QStringLiteral("Konec"));
    end->setObjectName("ProgClose");
    connect(end, &QAction::triggered, this, [this] { ProgClose(); });

    // The toolbar runs the same commands.
    auto link = [this](const char* hint, const char* handler) {
        QToolButton* b = toolButton(hint);
        QAction* a = command(handler);
        connect(b, &QToolButton::clicked, a, &QAction::trigger);
        b->setEnabled(a->isEnabled());
        if (!a->isEnabled()) b->setToolTip(b->toolTip() + " - " + QString::fromLatin1(kNotYet));
        connect(a, &QAction::enabledChanged, b, &QToolButton::setEnabled);
    };
    link("Zpracovani ucetnich dokladu", "DataObraty");
    link("Zmena ucetniho obdobi", "NObdobi");
    connect(toolButton("Kalendar"), &QToolButton::clicked, this,
            [this] { showTool(Tool::Calendar, s_, this); });
    connect(toolButton("Hodiny"), &QToolButton::clicked, this,
            [this] { showTool(Tool::Clock, s_, this); });
    connect(toolButton("Napoveda"), &QToolButton::clicked, this,
            [this] { guarded([this] { showHelpText(s_, "Sar"); }); });
    connect(toolButton("Ukonceni programu"), &QToolButton::clicked, this, [this] { ProgClose(); });
}

} // namespace sarw
