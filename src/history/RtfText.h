// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Plain text of an RTF document: groups, control words and symbols, \'hh in the document's code
// page, \uN with \ucN skipping, ignorable destinations (\fonttbl, \colortbl, \stylesheet, \info,
// \pict, \*...), \par, \line and \tab. Nothing when the bytes are not RTF. Never throws, never
// recurses on input depth, linear in the input size.
namespace RtfText {
std::optional<QString> toPlainText(const QByteArray& rtf);
}
