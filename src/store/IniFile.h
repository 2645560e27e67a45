#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <vector>

// A small INI file as Windows' private-profile functions read and write it.
//
// Reading: CR LF, LF or CR line ends; FF FE starts UTF-16LE (FE FF UTF-16BE),
// otherwise UTF-8 when the bytes are valid UTF-8, else Windows-1252; a UTF-8
// byte-order mark is skipped. Blanks (space, tab) around section names, key
// names and values are trimmed; names are compared without regard to letter
// case; the first section of a name and the first key in it win. A line
// starting with ';' is a comment, a line without '=' is not a key, and keys
// before the first section belong to no section. One matching pair of '"' or
// '\'' around a value is removed when it is read. Values are kept whole.
//
// Writing: sections and keys in the order they were first set, "key=value"
// without blanks, CR LF line ends, UTF-8 without a byte-order mark. A value
// that starts or ends with a blank, or is itself enclosed in matching quotes,
// is written inside one more pair of '"' so that it reads back exactly.
class CIniFile {
public:
    // Reads a file; a file that cannot be read gives an empty INI. Returns
    // whether the file could be read.
    bool Load(const QString &strPath);
    // Replaces the contents with the text of an INI file's bytes.
    void Parse(const QByteArray &bytes);

    // The value of a key, or strDefault when the section or key is missing.
    QString Value(const QString &strSection, const QString &strKey,
                  const QString &strDefault = QString()) const;
    bool Contains(const QString &strSection, const QString &strKey) const;

    // Adds a section (written even when it gets no keys); nothing happens if
    // it is already there.
    void AddSection(const QString &strSection);
    // Sets a value, adding the section and the key at the end when missing.
    void SetValue(const QString &strSection, const QString &strKey, const QString &strValue);

    // The file's text as it is written.
    QByteArray ToBytes() const;
    // Writes the file whole or not at all (a temporary file in the same
    // folder renamed over the old one). On failure the reason is in *pError.
    bool Save(const QString &strPath, QString *pError = nullptr) const;

    // The text of a file's bytes by the encoding rules above.
    static QString DecodeText(const QByteArray &bytes);
    // A value as it is written after "key=", quoted when needed.
    static QString EncodeValue(const QString &strValue);

private:
    struct CEntry {
        QString strKey;
        QString strValue; // as stored in the file, quotes included
    };
    struct CSection {
        QString strName;
        bool bNamed = true; // false for the keys before the first section
        std::vector<CEntry> entries;
        QHash<QString, int> keyIndex; // folded key name -> first entry
    };

    const CSection *FindSection(const QString &strSection) const;
    CSection &SectionForWrite(const QString &strSection);

    std::vector<CSection> m_sections;
    QHash<QString, int> m_sectionIndex; // folded name -> first section of that name
};
