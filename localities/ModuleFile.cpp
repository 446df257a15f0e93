#include "localities/ModuleFile.h"

#include <QFile>

#include <cstring>

#include <elf.h>

namespace
{

// ELF header fields a module must share with the running program.
struct TElfKind {
    unsigned char Class = 0, Data = 0;
    quint16 Machine = 0;
};

template <typename THeader> bool ReadStruct(QFile &file, qint64 offset, THeader &header)
{
    return file.seek(offset) &&
           file.read(reinterpret_cast<char *>(&header), sizeof header) == qint64(sizeof header);
}

// Whether the file is a whole ELF shared object of the program's own kind.
// dlopen maps a file without reading it through, so a truncated one would
// fault (SIGBUS) at its first touch of the missing part instead of failing.
template <typename TEhdr, typename TPhdr> bool CheckElfTables(QFile &file, QString &why)
{
    TEhdr header;
    const auto size = quint64(file.size());
    if (!ReadStruct(file, 0, header) || header.e_type != ET_DYN) {
        why = QStringLiteral("not a shared object");
        return false;
    }
    const auto within = [size](quint64 offset, quint64 length) {
        return offset <= size && length <= size - offset;
    };
    if (header.e_phentsize != sizeof(TPhdr) || header.e_phnum == 0 ||
        !within(header.e_phoff, quint64(header.e_phnum) * header.e_phentsize) ||
        !within(header.e_shoff, quint64(header.e_shnum) * header.e_shentsize)) {
        why = QStringLiteral("truncated or damaged (%1 bytes)").arg(size);
        return false;
    }
    for (quint16 i = 0; i < header.e_phnum; ++i) {
        TPhdr segment;
        if (!ReadStruct(file, qint64(header.e_phoff + quint64(i) * sizeof segment), segment) ||
            (segment.p_type == PT_LOAD && !within(segment.p_offset, segment.p_filesz))) {
            why = QStringLiteral("truncated or damaged (%1 bytes)").arg(size);
            return false;
        }
    }
    return true;
}

bool ReadElfKind(QFile &file, TElfKind &kind)
{
    unsigned char ident[EI_NIDENT + 4] = {};
    if (file.read(reinterpret_cast<char *>(ident), sizeof ident) != qint64(sizeof ident) ||
        std::memcmp(ident, ELFMAG, SELFMAG) != 0)
        return false;
    kind.Class = ident[EI_CLASS];
    kind.Data = ident[EI_DATA];
    // e_machine follows e_type; both in the file's own byte order, which
    // must be the program's own for the module to be usable at all.
    std::memcpy(&kind.Machine, ident + EI_NIDENT + 2, sizeof kind.Machine);
    return true;
}

} // namespace

bool CheckModuleFile(const QString &path, QString &why)
{
    static const TElfKind own = [] {
        TElfKind kind;
        QFile self(QStringLiteral("/proc/self/exe"));
        if (self.open(QIODevice::ReadOnly))
            ReadElfKind(self, kind);
        return kind;
    }();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        why = file.errorString();
        return false;
    }
    TElfKind kind;
    if (!ReadElfKind(file, kind)) {
        why = QStringLiteral("not an ELF file");
        return false;
    }
    if (own.Class != 0 &&
        (kind.Class != own.Class || kind.Data != own.Data || kind.Machine != own.Machine)) {
        why = QStringLiteral("built for another machine");
        return false;
    }
    if (kind.Class == ELFCLASS64)
        return CheckElfTables<Elf64_Ehdr, Elf64_Phdr>(file, why);
    if (kind.Class == ELFCLASS32)
        return CheckElfTables<Elf32_Ehdr, Elf32_Phdr>(file, why);
    why = QStringLiteral("not an ELF file");
    return false;
}
