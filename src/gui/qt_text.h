// Texts and names between the core and Qt: the core's UTF-8 texts, file names as the bytes
// the file system uses, and the object names widgets are found by.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <string>
#include <string_view>

namespace qlnx {

// File names travel through the core as the bytes the file system uses.
inline std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }
inline QString PathText(const std::string& bytes) {
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

// A UTF-8 text of the core.
inline QString Utf8Text(std::string_view text) { return QString::fromUtf8(QByteArrayView(text)); }

// The widget with its object name set: the name the tool tips, the settings and the tests
// find it by.
template <class W>
W* Named(W* widget, std::string_view name) {
    widget->setObjectName(QString::fromLatin1(QByteArrayView(name)));
    return widget;
}

}  // namespace qlnx
