#include "framework/Controls.h"

#include <string>

int CComboBox::GetLBText(int index, char* buffer, size_t capacity) const {
    if (capacity == 0) return CB_ERR;
    buffer[0] = '\0';
    LRESULT length = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR) return CB_ERR;
    // CB_GETLBTEXT knows no capacity: read into a buffer of the entry's own length, then cut.
    std::string text(static_cast<size_t>(length) + 1, '\0');
    if (SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), (LPARAM)&text[0]) == CB_ERR) return CB_ERR;
    size_t copied = 0;
    while (copied + 1 < capacity && text[copied] != '\0') {
        buffer[copied] = text[copied];
        ++copied;
    }
    buffer[copied] = '\0';
    return static_cast<int>(copied);
}
