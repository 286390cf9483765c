#pragma once
// What the user is told when a file, a folder or a setting could not be read or written.
// The readers and writers return these texts; the windows show them and the course check
// lists them.

#include <string>

#include "platform/WriteResult.h"

// "ファイル " + path + " が見つかりません".
std::string FileMissingText(const std::string& path);
// "ディレクトリ " + path + " が見つかりません".
std::string DirectoryMissingText(const std::string& path);
// "ファイル " + path + " が読み込めません".
std::string ReadErrorText(const std::string& path);
// A file that could not be written: path + "の保存に失敗しました" and the system's reason,
// or the outside-the-course message for a refused link.
std::string WriteFailureText(const std::string& path, const WriteResult& result);
// An INI file (a learner file) or a roster that could not be changed: path +
// " に書き込めません" and the reason, or the outside-the-course message.
std::string NotWritableText(const std::string& path, const WriteResult& result);
// "設定を保存できませんでした" and the settings store's reason.
std::string SettingsWriteFailureText(const WriteResult& result);
