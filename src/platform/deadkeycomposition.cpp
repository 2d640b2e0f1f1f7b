#include "platform/deadkeycomposition.h"

namespace {

// The combining mark of each spacing accent a dead key types.
char16_t combiningMarkOf(char16_t accent) {
    switch (accent) {
    case u'`':
        return 0x0300;
    case u'\'':
    case 0x00B4: // acute
        return 0x0301;
    case u'^':
        return 0x0302;
    case u'~':
        return 0x0303;
    case 0x00AF: // macron
        return 0x0304;
    case 0x02D8: // breve
        return 0x0306;
    case 0x02D9: // dot above
        return 0x0307;
    case u'"':
    case 0x00A8: // diaeresis
        return 0x0308;
    case 0x00B0: // degree, the ring on German layouts
    case 0x02DA: // ring
        return 0x030A;
    case 0x02DD: // double acute
        return 0x030B;
    case 0x02C7: // caron
        return 0x030C;
    case 0x00B8: // cedilla
        return 0x0327;
    case 0x02DB: // ogonek
        return 0x0328;
    default:
        return 0;
    }
}

} // namespace

QString composeDeadKey(const QString& accent, const QString& next) {
    if (next.isEmpty())
        return {};
    if (next == QStringLiteral(" "))
        return accent;
    const char16_t mark = accent.size() == 1 ? combiningMarkOf(accent.front().unicode()) : 0;
    if (mark != 0) {
        const QString joined = (next + QChar(mark)).normalized(QString::NormalizationForm_C);
        if (joined.size() == next.size())
            return joined;
    }
    return accent + next;
}
