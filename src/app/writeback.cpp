#include "app/writeback.h"

#include "app/editorpanels.h"
#include "model/pagetypes.h"

namespace {

template <typename Values>
QStringList writeBack(std::span<const EditorPanel<Values>> panels, QStringList tokens,
                      const Values& values, bool japanese) {
    const EditorPanel<Values>* panel = findByKeyword(panels, tokenAt(tokens, 0));
    if (panel && panel->fields)
        panel->fields->writeBack(tokens, values, japanese);
    return tokens;
}

// The type of `tokens`, when that type says whether its page lacks input.
const PageType* decidingType(std::span<const PageType> types, const QStringList& tokens) {
    const PageType* type = findByKeyword(types, tokenAt(tokens, 0));
    return type && type->incomplete ? type : nullptr;
}

} // namespace

QStringList writeBackCommand(QStringList tokens, const CommandFields& fields, bool japanese) {
    return writeBack(operationPanels(), std::move(tokens), fields, japanese);
}

QStringList writeBackCondition(QStringList tokens, const ConditionFields& fields, bool japanese) {
    return writeBack(conditionPanels(), std::move(tokens), fields, japanese);
}

bool lacksInput(const QStringList& command, const QStringList& condition) {
    if (const PageType* type = decidingType(conditionTypes(), condition))
        return type->incomplete(condition);
    if (const PageType* type = decidingType(operationTypes(), command))
        return type->incomplete(command);
    return false;
}
