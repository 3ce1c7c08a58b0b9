#pragma once

#include <QMainWindow>

#include <memory>
#include <string>
#include <vector>

class QLabel;
class QMenu;
class QToolButton;

namespace sarw {

class Session;
class SarPicture;
class TObd;
class TObd12;
class THesloG;
class THesloP;
class TTextEdit;
class TCdsScrForm;
class HelpWindow;
struct StockTableView;

// The main window: the enterprise, management unit, cost centre and current period, and the
// menu and toolbar through which every piece of work is started. It sees every key first.
class TSar : public QMainWindow {
    Q_OBJECT
public:
    // The title before the rule for screens of 96 or more pixels per inch.
    static std::string designTitle();

    explicit TSar(Session& s);
    ~TSar() override;

    // The creation step: date check, data disk from the first parameter, size and place, title.
    // Throws ProgramHalt where the program halts.
    void createStep(const std::vector<std::string>& parameters);
    // The first activation: login, status gate, free space, start-up archive, start message.
    // Runs once, queued after the first show; later calls do nothing.
    void firstActivation();

    // Menu commands by handler name ("NObdobi", "ArchFile" ...); null when there is none.
    QAction* command(const char* handler) const;
    QMenu* dosMenu() const { return dos_; }
    QToolButton* toolButton(const char* hint) const;
    SarPicture& picture() const { return *picture_; }
    QLabel* systemLabel() const { return win32_; }

    TObd& periodDialog() { return *obd_; }
    TObd12& spanDialog() { return *obd12_; }
    THesloG& loginWindow() { return *hesloG_; }
    THesloP& rightsWindow() { return *hesloP_; }
    TTextEdit& textWindow() { return *text_; }
    TCdsScrForm& tableScreen() { return *scr_; }
    HelpWindow& helpWindow() { return *help_; }

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Layout (TSarLayout.cpp).
    void buildToolbar(QWidget* panel);
    void buildTitleStrip(QWidget* strip);
    void placeToolButtons();
    void showStep();
    void showLabels();
    // The period label after the period changed.
    void showPeriod();
    // A modal window made for one command and released after it.
    template <class Window> void runWindow();
    // Menu (TSarMenu.cpp).
    void buildMenu();
    QAction* add(QMenu* menu, const char* caption, const char* handler, void (TSar::*run)());
    QAction* later(QMenu* menu, const char* caption, const char* handler, void (TSar::*run)());

    // Commands (TSarCommands.cpp), named after their handlers.
    void DosPrevStavy();
    void DosPrevObraty();
    void DosPrevCis();
    void DataStavy();
    void DataObraty();
    void SesInv();
    void SesReg();
    void SesSklK();
    void TabStavy();
    void TabObraty();
    void TabObratyOdDo();
    void TabStavyObraty();
    void TabAktStavy();
    void Ucto();
    void UzavMes();
    void ACinn();
    void AKonta();
    void AMS();
    void AMJ();
    void ADP();
    void AMater();
    void AUcto();
    void ArchFile();
    void ObnovaDat();
    void ObnovaDatPoslDokl();
    void NObdobi();
    void DefInic();
    void DefDoklP();
    void DefDokl();
    void DefDoklZ();
    void DefInvP();
    void DefInvR();
    void DefInvZ();
    void EditAt();
    void EditRt();
    void EditRv();
    void EditIm();
    void ProhlObr();
    void PrehrMedii();
    void ProgClose();
    // The codebook gate: editing mode after the area check, the codebook's name.
    void ACis(const std::string& file, int keys);
    void showStock(const StockTableView& view);
    void defText(const char* file);
    // The separate editor program, or the rich-text editor on no file when it is not installed.
    void startEditor(const char* program);
    void startTool(const char* program, bool withDisk, bool wait);
    // Stand-ins for the maker's programs an installation lacks (TSarStandIns.cpp).
    void ownTextEditor();
    QString chooseStandInFile(const char* title, const char* filter);
    void showPicture(const char* title);
    void playMediaFile();
    void showLogin();
    void showRights();

    Session& s_;
    SarPicture* picture_ = nullptr;
    QLabel* win32_ = nullptr;
    QMenu* dos_ = nullptr;
    std::vector<QToolButton*> tools_;
    std::unique_ptr<TObd> obd_;
    std::unique_ptr<TObd12> obd12_;
    std::unique_ptr<THesloG> hesloG_;
    std::unique_ptr<THesloP> hesloP_;
    std::unique_ptr<TTextEdit> text_;
    std::unique_ptr<TCdsScrForm> scr_;
    std::unique_ptr<HelpWindow> help_;
    bool activationQueued_ = false;
};

} // namespace sarw
