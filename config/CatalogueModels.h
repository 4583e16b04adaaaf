#pragma once
// The catalogue's models as the printer page lists them, for the programs that work without the page.

#include <vector>

#include "common/SharedTypes.h"

// A model the printer page lists: entries without a known category suffix are left out, as the page
// leaves them out.
struct CatalogueModel {
    PrinterCategory category;
    char name[200];
};

// The catalogue's models in catalogue order, read from as many entries as the printer page reads.
std::vector<CatalogueModel> ReadCatalogue();
