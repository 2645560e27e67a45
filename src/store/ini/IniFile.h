#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstdint>
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
    struct CSection;

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

    // A section looked up once, for reading many of its keys; it reads as a
    // missing section when the file has none of that name. Valid while the
    // CIniFile lives and is not changed.
    class CSectionReader {
    public:
        QString Value(QStringView key, const QString &strDefault = QString()) const;
        // The same without a copy; the view lives as long as the reader.
        QStringView ValueView(QStringView key, QStringView strDefault = {}) const;
        bool Contains(QStringView key) const;

    private:
        friend class CIniFile;
        const CSection *m_pSection = nullptr;
    };
    CSectionReader Section(QStringView strSection) const;

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
    // Names found by their hash without regard to letter case: an open
    // table of positions in a list (of keys or of sections), the first of
    // each name kept. Nothing is case-folded or copied to look a name up.
    class CNameIndex {
    public:
        // Sized for n names before any is added.
        void Reserve(qsizetype n);
        // The position of `name`, or -1; nameAt(i) gives the name at i.
        template <class NameAt>
        int Find(QStringView name, uint32_t hash, const NameAt &nameAt) const;
        // Adds position i under its name unless the name is there already.
        template <class NameAt>
        void Add(int i, uint32_t hash, const NameAt &nameAt);
        void Clear() { m_slots.clear(), m_nUsed = 0; }

    private:
        struct CSlot {
            uint32_t hash;
            int nPos; // -1: empty
        };
        void Grow();
        std::vector<CSlot> m_slots; // a power of two long
        qsizetype m_nUsed = 0;
    };

    // A key and its value as stored in the file, quotes included. They view
    // the file's decoded text, or the owned copies when set in memory.
    struct CEntry {
        QStringView key;
        QStringView value;
        uint32_t hash;
        QString strOwnedKey;
        QString strOwnedValue;
    };
    struct CSection {
        QStringView name;
        QString strOwnedName;
        bool bNamed = true; // false for the keys before the first section
        std::vector<CEntry> entries;
        CNameIndex keyIndex;
        const CEntry *Find(QStringView key) const;
    };

    const CSection *FindSection(QStringView strSection) const;
    CSection &SectionForWrite(const QString &strSection);
    void IndexKeys(CSection &section) const;

    QString m_strText; // the decoded file the parsed names and values view
    std::vector<CSection> m_sections;
    CNameIndex m_sectionIndex;
};
