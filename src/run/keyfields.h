#pragma once

#include <QString>

// The comma-separated fields of a key text as the run reads them: virtual-key
// code, stored modifier mask and, for the key operation, a hold time.
struct KeyFields {
    int virtualKey = 0; // 0 when the text names no key
    int mask = 0;
    double seconds = 0;
};

// Empty parts are dropped; "なし", an empty text or a first field that is not
// an integer give virtualKey 0. A mask or time that does not parse reads as 0.
KeyFields parseKeyFields(const QString& text);
