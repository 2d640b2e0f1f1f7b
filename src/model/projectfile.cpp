#include "model/project.h"

#include <QSaveFile>

#include "model/wholefile.h"

namespace {

WriteResult writeError(const QString& text) {
    return {false, {QStringLiteral("保存エラー"), text}};
}

} // namespace

ReadResult readProjectFile(const QString& path) {
    const QString title = QStringLiteral("読み込みエラー");
    if (path.isEmpty()) {
        return {false, {}, {title, QStringLiteral("読み込むファイルが設定されていません。")}};
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
        return {
            false, {}, {title, QStringLiteral("ファイルの読み込みに失敗しました：%1").arg(path)}};
    case WholeFile::Status::CannotOpen:
    case WholeFile::Status::NotARegularFile:
        break;
    }
    return {false, {}, {title, QStringLiteral("ファイルを開けませんでした：%1").arg(path)}};
}

WriteResult writeProjectFile(const QString& path, const Project& project) {
    if (path.isEmpty()) {
        return writeError(QStringLiteral("保存先が設定されていません。"));
    }
    // The content reaches the target only on commit, so a failure at any
    // step leaves the previous file as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return writeError(QStringLiteral("ファイルを開けませんでした:%1").arg(path));
    }
    const QByteArray data = projectToJson(project);
    // Qt 6.4 commits even when flushing the buffered data failed, so the
    // flush is checked before the commit.
    const bool written = file.write(data) == data.size() && file.flush();
    if (!written) {
        file.cancelWriting();
    }
    if (!written || !file.commit()) {
        return writeError(QStringLiteral("ファイルへの書き込みに失敗しました：%1").arg(path));
    }
    return {true, {}};
}
