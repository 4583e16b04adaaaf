#include "pages/PortPage.h"

#include <cstring>

#include "choices/PortOffer.h"
#include "choices/SerialChoice.h"
#include "common/BoundedText.h"
#include "framework/DataExchange.h"
#include "framework/MessageBoxes.h"
#include "resources/PageControlIds.h"
#include "resources/ResourceIds.h"
#include "usb/UsbDriverVersion.h"

namespace {
// Initial selections of the serial lists: "8", "1", "None" and "Hardware".
constexpr int kDataBits8 = 3;
constexpr int kStopBits1 = 0;
constexpr int kParityNone = 2;
constexpr int kFlowHardware = 2;

const COLORREF kHintTextColor = RGB(0, 0, 255);
const COLORREF kHintBackColor = RGB(255, 202, 253);
constexpr int kHintFontHeight = 14;

// The serial lists' ids run in the order of SerialList.
static_assert(IDC_DATA_BITS - IDC_BAUD_RATE == static_cast<int>(SerialList::DataBits) &&
                  IDC_PARITY - IDC_BAUD_RATE == static_cast<int>(SerialList::Parity) &&
                  IDC_STOP_BITS - IDC_BAUD_RATE == static_cast<int>(SerialList::StopBits) &&
                  IDC_FLOW_CONTROL - IDC_BAUD_RATE == static_cast<int>(SerialList::FlowControl),
              "serial list ids follow SerialList");

bool IsSerialList(UINT id) {
    return id >= IDC_BAUD_RATE && id <= IDC_FLOW_CONTROL;
}
}  // namespace

PortPage::PortPage(UINT templateId)
    : CDialog(templateId),
      portName(),
      lastListModel(),
      baudRate(0),
      dataBits(8),
      stopBits(1.0),
      parity('n'),
      flowControl('p'),
      listMode(Typical),
      gdiDriver(0) {
    CopyText(lastListModel, "PRINTER");
}

void PortPage::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_PORT_LIST, portList);
    DDX_Control(dx, IDC_BAUD_RATE, baudRateList);
    DDX_Control(dx, IDC_DATA_BITS, dataBitsList);
    DDX_Control(dx, IDC_STOP_BITS, stopBitsList);
    DDX_Control(dx, IDC_PARITY, parityList);
    DDX_Control(dx, IDC_FLOW_CONTROL, flowControlList);
    DDX_Control(dx, IDC_USB_HINT, usbHint);
    DDX_Check(dx, IDC_GDI_DRIVER, gdiDriver);
}

BOOL PortPage::OnInitDialog() {
    CDialog::OnInitDialog();
    portList.SetCurSel(0);
    dataBitsList.SetCurSel(kDataBits8);
    stopBitsList.SetCurSel(kStopBits1);
    parityList.SetCurSel(kParityNone);
    flowControlList.SetCurSel(kFlowHardware);
    stopBits = 1.0;
    dataBits = 8;
    parity = 'n';
    flowControl = 'p';
    usbHint.SetTextColor(kHintTextColor);
    usbHint.SetBackgroundColor(kHintBackColor);
    usbHint.SetFontHeight(kHintFontHeight);
    usbHint.SetFontName("宋体");
    CopyText(lastListModel, "PRINTER");
    listMode = Typical;
    lastListMode = Typical;
    return TRUE;
}

bool PortPage::OnCommand(UINT id, UINT code, HWND control) {
    if (code == CBN_SELCHANGE && id == IDC_PORT_LIST) {
        OnPortSelected();
        return true;
    }
    if (code == CBN_SELCHANGE && IsSerialList(id)) {
        OnSerialListChanged(id);
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}

CComboBox& PortPage::SerialList(UINT id) {
    switch (id) {
        case IDC_DATA_BITS:
            return dataBitsList;
        case IDC_PARITY:
            return parityList;
        case IDC_STOP_BITS:
            return stopBitsList;
        case IDC_FLOW_CONTROL:
            return flowControlList;
        default:
            return baudRateList;
    }
}

void PortPage::OnSerialListChanged(UINT id) {
    CComboBox& list = SerialList(id);
    // The lists' texts are short and fixed; a longer one is cut.
    char text[20] = {};
    // Nothing selected leaves the setting as it was rather than turning it into zero.
    if (list.GetLBText(list.GetCurSel(), text) == CB_ERR) return;
    SerialSettingsChoice settings;
    settings.baudRate = baudRate;
    settings.dataBits = dataBits;
    settings.stopBits = stopBits;
    settings.parity = parity;
    settings.flowControl = flowControl;
    TakeSerialText(static_cast<::SerialList>(id - IDC_BAUD_RATE), text, settings);
    baudRate = settings.baudRate;
    dataBits = settings.dataBits;
    stopBits = settings.stopBits;
    parity = settings.parity;
    flowControl = settings.flowControl;
}

void PortPage::EnableSerialLists(bool enable) {
    for (int id = IDC_BAUD_RATE; id <= IDC_FLOW_CONTROL; ++id) ::EnableWindow(GetDlgItem(id), enable);
}

void PortPage::HideUsbHint() {
    usbHint.ShowWindow(SW_HIDE);
}

void PortPage::ShowUsbDriverHint() {
    int check = CheckUsbDriverVersion();
    UINT textId = 0;
    if (check == UsbDriverOutdated) textId = IDS_UPGRADE_USB_DRIVER;
    if (check == UsbDriverMissing) textId = IDS_INSTALL_USB_DRIVER;
    if (textId == 0) return;
    char text[200];
    LoadResourceText(textId, text);
    usbHint.SetText(text);
    usbHint.ShowWindow(SW_SHOWNORMAL);
}

void PortPage::TakeSelectedPort() {
    if (portList.GetLBText(portList.GetCurSel(), portName) == CB_ERR) portName[0] = '\0';
}

void PortPage::OnPortSelected() {
    TakeSelectedPort();
    ReactToPort();
}

// One port gets one reaction, whether the user picked it or the list build chose it (ReactionToPort
// tests "USB" first: a USB entry carries the model's name, which may itself contain "COM" or "LPT").
void PortPage::ReactToPort() {
    PortReaction reaction = ReactionToPort(portName);
    EnableSerialLists(reaction == PortReaction::SerialPort);
    if (reaction == PortReaction::UsbPort)
        ShowUsbDriverHint();
    else
        HideUsbHint();
    gdiDriver = GdiDriverForPort(portName);
    UpdateData(FALSE);
}
