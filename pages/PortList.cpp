// The port page's port list: which ports are offered for the model on the target system, which one
// is preselected, and the page's state that goes with the preselected port.

#include <cstring>

#include "choices/PortOffer.h"
#include "common/BoundedText.h"
#include "pages/PortPage.h"
#include "usb/UsbDevice.h"

void PortPage::BuildTypicalPortList(const char* modelName, int targetSystem, int category) {
    BuildPortList(modelName, targetSystem, category, Typical);
}

void PortPage::BuildAdvancedPortList(const char* modelName, int targetSystem, int category) {
    BuildPortList(modelName, targetSystem, category, Advanced);
}

void PortPage::BuildPortList(const char* modelName, int targetSystem, int category, InstallMode variant) {
    if (modelName == nullptr) modelName = "";
    // Coming back with the same model and mode keeps the list and the user's choice, and spares the
    // USB query.
    if (strcmp(modelName, lastListModel) == 0 && lastListMode == listMode) return;
    lastListMode = static_cast<InstallMode>(listMode);
    CopyText(lastListModel, modelName);
    portList.ResetContent();

    PortOffer offer;
    BuildPortOffer(modelName, targetSystem, category, variant, GetUsbDeviceId(), offer);
    for (int index = 0; index < offer.count; ++index) portList.AddString(offer.entries[index]);
    if (offer.selected >= 0) portList.SetCurSel(offer.selected);
    if (offer.usbPrinterFound) EnableSerialLists(false);
    TakeSelectedPort();
    ReactToPort();
}
