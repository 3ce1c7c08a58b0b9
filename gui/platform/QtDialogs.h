#pragma once

#include "platform/Dialogs.h"

#include <QMessageBox>

#include <memory>

namespace sarw {

class TVp;
class TInfo;

// The boxes of the desktop program: Qt message boxes with the buttons "Ano", "Ne" and "Storno",
// task-modal and in front of every window, the warning's three beeps, the progress strip and the
// information window.
class QtDialogs : public Dialogs {
public:
    QtDialogs();
    ~QtDialogs() override;

    bool question(const std::string& text, const std::string& title) override;
    Answer questionHalt(const std::string& text, const std::string& title) override;
    void information(const std::string& text, const std::string& title) override;
    void warning(const std::string& text, const std::string& title) override;
    void error(const std::string& text, const std::string& title) override;

    void progressShow() override;
    void progressClose() override;
    void progress(int percent) override;
    void infoShow(const std::string& title, const std::string& line1,
                  const std::string& line2) override;
    void infoClose(int delayMs) override;
    void processEvents() override;

    TVp& progressStrip() { return *vp_; }
    TInfo& infoWindow() { return *info_; }

    // Pause between the warning's beeps (500 ms; tests shorten it).
    int beepIntervalMs = 500;

private:
    // Shows the box task-modal and in front; the button the user chose.
    QAbstractButton* run(QMessageBox& box);
    void box(QMessageBox::Icon icon, const std::string& text, const std::string& title);

    std::unique_ptr<TVp> vp_;
    std::unique_ptr<TInfo> info_;
};

// Waits the given milliseconds while windows are still painted (no user input is taken).
void waitPainting(int ms);

} // namespace sarw
