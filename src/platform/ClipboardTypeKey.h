// SPDX-License-Identifier: MIT
#pragma once

#include <QLatin1StringView>

// Clipboard target names the extraction rules use, in the order they are tried.
namespace ClipboardTypeKey {
// Plain text: the first three are UTF-8, STRING is ISO 8859-1.
inline constexpr QLatin1StringView stringUtf8Mime{"text/plain;charset=utf-8"};
inline constexpr QLatin1StringView utf8String{"UTF8_STRING"};
inline constexpr QLatin1StringView plainText{"text/plain"};
inline constexpr QLatin1StringView latin1String{"STRING"};
inline constexpr QLatin1StringView rtf{"text/rtf"};
inline constexpr QLatin1StringView applicationRtf{"application/rtf"};
inline constexpr QLatin1StringView richText{"text/richtext"};
inline constexpr QLatin1StringView html{"text/html"};
inline constexpr QLatin1StringView png{"image/png"};
inline constexpr QLatin1StringView tiff{"image/tiff"};
inline constexpr QLatin1StringView uriList{"text/uri-list"};
inline constexpr QLatin1StringView gnomeCopiedFiles{"x-special/gnome-copied-files"};
inline constexpr QLatin1StringView mozUrl{"text/x-moz-url"};
inline constexpr QLatin1StringView netscapeUrl{"_NETSCAPE_URL"};
// Set to "secret" by password managers on the copies they make.
inline constexpr QLatin1StringView passwordManagerHint{"x-kde-passwordManagerHint"};
}  // namespace ClipboardTypeKey
