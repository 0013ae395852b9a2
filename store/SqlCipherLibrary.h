#pragma once
// SQLCipher is loaded when the first position file is opened, not when the
// program starts: with it comes OpenSSL's libcrypto, whose loading costs every
// start a millisecond and more, and most runs never open the file.

#include <QString>

namespace velmora
{

// Loads the library once; an error text when it cannot be loaded.
QString loadSqlCipher();
// A function of the loaded library; stops the program when it lacks one.
void *sqlCipherSymbol(const char *name);

} // namespace velmora

// A SQLCipher function, called through the loaded library; each place looks
// its function up once.
#define SQLCIPHER(name)                                                                            \
    ([] {                                                                                          \
        static const auto function                                                                 \
            = reinterpret_cast<decltype(&name)>(velmora::sqlCipherSymbol(#name));                  \
        return function;                                                                           \
    }())
