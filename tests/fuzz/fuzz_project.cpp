// The project reader on arbitrary bytes: whatever it accepts must be a
// project the editor and the run loop can use, and saving it must be stable.
#include <cstddef>
#include <cstdint>

#include "fuzzcheck.h"
#include "model/project.h"
#include "model/screenpages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    silenceQtMessages();
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ReadResult read = projectFromJson(text);
    if (!read.ok) {
        FUZZ_CHECK(read.error.title == QStringLiteral("読み込みエラー"));
        FUZZ_CHECK(read.error.text == QStringLiteral("ファイルの形式が正しくありません。") ||
                   read.error.text.startsWith(QStringLiteral("JSON 解析エラー: ")) ||
                   read.error.text.contains(QStringLiteral(" ページ目の")));
        return 0;
    }

    // Equal page counts, at least one page, a type keyword on every page.
    const Project& project = read.project;
    FUZZ_CHECK(!project.list_command.isEmpty());
    FUZZ_CHECK(project.list_command.size() == project.list_condition.size());
    for (const QStringList& tokens : project.list_command)
        FUZZ_CHECK(!tokens.isEmpty());
    for (const QStringList& tokens : project.list_condition)
        FUZZ_CHECK(!tokens.isEmpty());
    // A screen page that loads has tokens its run can read.
    for (const PageList* pages : {&project.list_command, &project.list_condition})
        for (const QStringList& tokens : *pages)
            FUZZ_CHECK(!screenpages::screenPageError(tokens));

    // Saved and read back, it is the same project and saves to the same bytes.
    const QByteArray saved = projectToJson(project);
    const ReadResult reread = projectFromJson(saved);
    FUZZ_CHECK(reread.ok);
    FUZZ_CHECK(reread.project == project);
    FUZZ_CHECK(projectToJson(reread.project) == saved);
    return 0;
}
