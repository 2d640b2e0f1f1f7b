#include "model/pagetypes.h"
#include "run/keyfields.h"
#include "run/run.h"

// A condition of no known type does not wait.
void Run::waitForCondition(const QStringList& condition) {
    if (const RunCondition* type = findByKeyword(runConditions(), tokenAt(condition, 0)))
        type->await(condition, *this);
}

void Run::waitForButton(int virtualKey) {
    input_watch.waitForButton(virtualKey);
}

// Goes on when the combination is pressed and its key released again. A key
// already held when the wait begins must first be let go.
void Run::waitForKeyCombination(const QString& keyText) {
    const KeyFields fields = parseKeyFields(keyText);
    if (fields.virtualKey == 0)
        return;
    input_watch.waitForKeyCombination(fields.virtualKey, fields.mask);
}
