#pragma once
// The port page: the port the new printer will use and, for a serial port, its serial settings. The
// port list is built on each arrival with Next (BuildTypicalPortList / BuildAdvancedPortList, in
// PortList.cpp); the page reacts to the chosen port and shows a hint when the USB device driver needs
// an installation or an upgrade. The Install command copies portName, gdiDriver and the serial
// settings from here.

#include "choices/InstallChoices.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "pages/LinkLabel.h"

class PortPage : public CDialog {
public:
    explicit PortPage(UINT templateId);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // The page never ends itself on IDOK or IDCANCEL.
    void OnOK() override {}
    void OnCancel() override {}
    bool OnCommand(UINT id, UINT code, HWND control) override;

    // Fill the port list for the model on the system, with one USB port (typical) or four (advanced),
    // and preselect the connected USB printer's port, the parallel port or the first port. Nothing
    // changes when neither the model nor listMode changed since the last build.
    void BuildTypicalPortList(const char* modelName, int targetSystem, int category);
    void BuildAdvancedPortList(const char* modelName, int targetSystem, int category);

    // Room for the longest entry the list can hold, a USB port of a 199-character model name.
    char portName[kPortNameSize];
    char lastListModel[200];  // model of the last port-list build
    int baudRate;
    int dataBits;
    double stopBits;   // 1.0, 1.5 or 2.0
    char parity;       // first letter of the parity text; 'n' until the user picks one
    char flowControl;  // 'x' Xon/Xoff, 'p' Hardware, ' ' None
    int listMode;      // InstallMode of the next port-list build, set by the caller
    LinkLabel usbHint;
    CComboBox portList;
    CComboBox baudRateList;
    CComboBox dataBitsList;
    CComboBox stopBitsList;
    CComboBox parityList;
    CComboBox flowControlList;
    int gdiDriver;  // 1: raster (GDI) driver keys, 0: standard (STD) keys

private:
    CComboBox& SerialList(UINT id);
    void OnSerialListChanged(UINT id);
    void OnPortSelected();
    // Sets the page for the port in portName, after a pick and at the end of a list build alike: a
    // USB port takes the raster driver with the serial lists disabled and the driver hint as the check
    // says; a parallel port the raster driver with the serial lists disabled and the hint hidden;
    // anything else is serial: the standard driver, the serial lists enabled, the hint hidden.
    void ReactToPort();
    void EnableSerialLists(bool enable);
    // Shows the hint when the USB device driver is missing or outdated; otherwise leaves it alone.
    void ShowUsbDriverHint();
    void HideUsbHint();

    // The port list's construction (PortList.cpp).
    void BuildPortList(const char* modelName, int targetSystem, int category, InstallMode variant);
    void TakeSelectedPort();
};
