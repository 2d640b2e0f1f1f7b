#pragma once

// Qt's own texts (the standard buttons Yes and No, the file dialogs) follow
// the interface language: Qt's Japanese translation while the interface is
// Japanese, Qt's built-in English otherwise. Where the translation is not
// installed the texts stay English; true when the chosen language is in use.
bool useQtTranslations(bool japanese);
