#include "tests/support/ResourceText.h"

#include "framework/MessageBoxes.h"

std::string ResourceText(unsigned id) {
    char text[1024];
    LoadResourceText(id, text);
    return text;
}
