#pragma once
// What the page tests share: a visible top-level window that hosts a page as a modeless child, the
// user's actions on a page's controls (select an entry and tell the page, click a button), and the
// states a user would see.

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "common/ResourceText.h"

class PortPage;

// A plain top-level window standing for the wizard frame; pages are created as its children.
class PageHost : public CWnd {
public:
    PageHost();
    ~PageHost() override;
    // Creates page's window from its template as a visible child of the host. False when it fails.
    bool Open(CDialog& page);
};

// CB_SETCURSEL on the page's list, then the CBN_SELCHANGE a user's selection sends the page.
void SelectEntry(CDialog& page, int listId, int index);
// BM_CLICK on the page's button, as a user's click.
void ClickButton(CDialog& page, int buttonId);

std::vector<std::string> ListTexts(CDialog& page, int listId);
// The text of the selected entry; empty when none is selected.
std::string SelectedText(CDialog& page, int listId);
int SelectedIndex(CDialog& page, int listId);
bool IsEnabled(CDialog& page, int id);
bool IsShown(CDialog& page, int id);
bool IsChecked(CDialog& page, int id);
std::string ControlText(CDialog& page, int id);
// The port page's five serial lists: 1 all enabled, 0 all disabled, -1 mixed.
int SerialListsEnabled(PortPage& page);

// A category file of the program directory (the test executable's), e.g. "setup_receipt.ini" with a
// model's port section; removed with the object.
class ProgramConfig {
public:
    ProgramConfig(const std::string& name, const std::string& text);
    ~ProgramConfig();
    ProgramConfig(const ProgramConfig&) = delete;
    ProgramConfig& operator=(const ProgramConfig&) = delete;

private:
    std::string path_;
};
