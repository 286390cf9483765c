#include "text/FileMessages.h"

#include "text/CorePath.h"
#include "text/Sjis.h"

std::string FileMissingText(const std::string& path) {
    return J("ファイル ") + path + J(" が見つかりません");
}

std::string DirectoryMissingText(const std::string& path) {
    return J("ディレクトリ ") + path + J(" が見つかりません");
}

std::string ReadErrorText(const std::string& path) {
    return J("ファイル ") + path + J(" が読み込めません");
}

std::string WriteFailureText(const std::string& path, const WriteResult& result) {
    if (result.status == WriteResult::Status::Outside) return OutsideCourseText(path);
    std::string text = path + J("の保存に失敗しました");
    if (!result.reason.empty()) text += ": " + result.reason;
    return text;
}

std::string NotWritableText(const std::string& path, const WriteResult& result) {
    if (result.status == WriteResult::Status::Outside) return OutsideCourseText(path);
    std::string text = path + J(" に書き込めません");
    if (!result.reason.empty()) text += ": " + result.reason;
    return text;
}

std::string SettingsWriteFailureText(const WriteResult& result) {
    std::string text = J("設定を保存できませんでした");
    if (!result.reason.empty()) text += ": " + result.reason;
    return text;
}
