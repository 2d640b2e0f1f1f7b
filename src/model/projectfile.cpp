#include "model/project.h"

#include <QDebug>
#include <QFileInfo>
#include <QSaveFile>

#include "model/filekind.h"
#include "model/wholefile.h"

namespace {

WriteResult writeError(const QString& text, const QString& english) {
    return {false, {QStringLiteral("保存エラー"), text, english}};
}

// Qt writes in place only where it cannot make its temporary file beside the
// target, which it tells from permissions, and only on Unix.
bool savesInPlace(const QString& path) {
#ifdef Q_OS_UNIX
    const QFileInfo target(path);
    if (!target.exists())
        return false;
    return !QFileInfo(QFileInfo(target.canonicalFilePath()).absolutePath()).isWritable();
#else
    Q_UNUSED(path);
    return false;
#endif
}

} // namespace

ReadResult readProjectFile(const QString& path) {
    const QString title = QStringLiteral("読み込みエラー");
    if (path.isEmpty()) {
        return {false,
                {},
                {title, QStringLiteral("読み込むファイルが設定されていません。"),
                 QStringLiteral("No file to read was named.")}};
    }
    const WholeFile file = readWholeFile(path, projectFileSizeLimit);
    switch (file.status) {
    case WholeFile::Status::Read:
        return projectFromJson(file.data);
    case WholeFile::Status::TooLarge:
        return {false,
                {},
                {title, QStringLiteral("ファイルが大きすぎます。"),
                 QStringLiteral("The file is too large.")}};
    case WholeFile::Status::ReadFailed:
        return {false,
                {},
                {title, QStringLiteral("ファイルの読み込みに失敗しました：%1").arg(path),
                 QStringLiteral("Reading %1 failed: %2.").arg(path, file.errorText)}};
    case WholeFile::Status::CannotOpen:
    case WholeFile::Status::NotARegularFile:
        break;
    }
    const FileReason reason = fileReason(fileKindAt(path), file.errorText);
    return {false,
            {},
            {title, QStringLiteral("ファイルを開けませんでした：%1\n").arg(path) + reason.japanese,
             QStringLiteral("Cannot open %1: %2.").arg(path, reason.english)}};
}

WriteResult writeProjectFile(const QString& path, const Project& project) {
    if (path.isEmpty()) {
        return writeError(QStringLiteral("保存先が設定されていません。"),
                          QStringLiteral("No file to save to was named."));
    }
    const QString cannotOpen = QStringLiteral("ファイルを開けませんでした:%1").arg(path);
    if (const std::optional<FileReason> refusal = saveRefusal(path)) {
        return writeError(cannotOpen + u'\n' + refusal->japanese,
                          QStringLiteral("Cannot save to %1: %2.").arg(path, refusal->english));
    }
    // The content reaches the target only on commit, so a failure at any
    // step leaves the previous file as it was; but a file the user may write
    // in a folder where no file can be made is still written, in place.
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    const bool inPlace = savesInPlace(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return writeError(cannotOpen,
                          QStringLiteral("Cannot save to %1: %2.").arg(path, file.errorString()));
    }
    if (inPlace) {
        qWarning() << "Saving" << path
                   << "in place, as its folder is read-only: this save is not atomic.";
    }
    const QByteArray data = projectToJson(project);
    // Qt 6.4 commits even when flushing the buffered data failed, so the
    // flush is checked before the commit.
    const bool written = file.write(data) == data.size() && file.flush();
    if (!written) {
        file.cancelWriting();
    }
    if (!written || !file.commit()) {
        return writeError(QStringLiteral("ファイルへの書き込みに失敗しました：%1").arg(path),
                          QStringLiteral("Writing %1 failed: %2.").arg(path, file.errorString()));
    }
    return {true, {}};
}
