#include "store/SqlCipherLibrary.h"

#include <QtGlobal>

#include <dlfcn.h>

namespace velmora
{

namespace
{

constexpr char kLibrary[] = "libsqlcipher.so.0";

struct Loaded {
    void *handle = nullptr;
    QString error;
};

const Loaded &library()
{
    static const Loaded loaded = [] {
        Loaded result;
        result.handle = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
        if (!result.handle)
            result.error = QStringLiteral("the SQLCipher library could not be loaded (%1)")
                               .arg(QString::fromLocal8Bit(dlerror()));
        return result;
    }();
    return loaded;
}

} // namespace

QString loadSqlCipher()
{
    return library().error;
}

void *sqlCipherSymbol(const char *name)
{
    void *symbol = library().handle ? dlsym(library().handle, name) : nullptr;
    if (!symbol)
        qFatal("%s has no function %s", kLibrary, name);
    return symbol;
}

} // namespace velmora
