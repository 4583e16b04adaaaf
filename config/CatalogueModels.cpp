#include "config/CatalogueModels.h"

#include "config/SetupConfig.h"

std::vector<CatalogueModel> ReadCatalogue() {
    std::vector<CatalogueModel> models;
    SetupConfig config;
    int count = CatalogueEntriesToRead(config.GetDeviceCount());
    for (int entry = 1; entry <= count; ++entry) {
        CatalogueModel model = {};
        int category = config.GetDeviceName(entry, model.name, sizeof model.name);
        if (category < Receipt || category > Embedded) continue;
        model.category = static_cast<PrinterCategory>(category);
        models.push_back(model);
    }
    return models;
}
