#pragma once
// The removal window ("Drovix"): the printers on this machine whose driver the medium names, each with
// a tick box (all ticked), the tick box for the drivers and components no printer uses any more, and
// Remove and Close. Remove asks once, removes what is ticked by the removal rules QelvanDeploy's remove
// command follows, shows its progress and ends with the list of what was removed, kept or failed.

#include <vector>

#include "framework/Dialog.h"
#include "removal/MediumNames.h"
#include "removal/SystemPrinters.h"

// The most printers the window lists at once; the rest are named in the status line.
constexpr int kRemovalRows = 10;

class RemovalDialog : public CDialog {
public:
    explicit RemovalDialog(TargetSystem system);
    RemovalDialog(const RemovalDialog&) = delete;
    RemovalDialog& operator=(const RemovalDialog&) = delete;

    // TRUE: the dialog manager focuses the first tick box.
    BOOL OnInitDialog() override;
    // Remove: asks once, then removes what is ticked; the window stays open with the outcome.
    void OnOK() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ListPrinters();
    void PaintBanner();
    // The outcome's lines in place of the printers' list.
    void ShowResults(const std::vector<std::string>& lines, int failures);
    void SetStatus(const char* text);

    TargetSystem system_;
    MediumNames names_;
    std::vector<SystemPrinter> printers_;
    HBITMAP banner_ = nullptr;
    HICON icon_ = nullptr;
    char unlisted_[160] = {};  // the status line naming the printers not listed; empty when all are
};
