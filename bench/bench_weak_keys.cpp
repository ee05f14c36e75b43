// Searches for passwords whose key the file cipher refuses by its weak-key
// test (two equal entries in one box after the key set-up). About one key
// in 33,000 is refused, so a plain count through "heslo0", "heslo1", ...
// finds some within seconds. Prints each refused password with the box and
// the repeated entry, and how many candidates it took.
//
//   bench_weak_keys [count=3] [prefix=heslo]

#include "files/FileCipher.h"
#include "files/PasswordRules.h"
#include <QByteArray>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

int main(int argc, char **argv)
{
    const int wanted = argc > 1 ? std::atoi(argv[1]) : 3;
    const QByteArray prefix = argc > 2 ? QByteArray(argv[2]) : QByteArray("heslo");
    QElapsedTimer timer;
    timer.start();
    int found = 0;
    for (qint64 n = 0; found < wanted; ++n) {
        const QByteArray password = prefix + QByteArray::number(n);
        FileCipher cipher;
        if (cipher.CipherSetKey(password))
            continue;
        ++found;
        std::printf("refused: \"%s\" after %lld candidates\n", password.constData(), (long long)n + 1);
        for (int b = 0; b < CipherTables::kBoxCount; ++b) {
            std::map<std::uint32_t, int> firstIndex;
            const FileCipher::Box &box = cipher.boxes()[b];
            for (int i = 0; i < CipherTables::kBoxSize; ++i) {
                auto [it, fresh] = firstIndex.emplace(box[i], i);
                if (!fresh)
                    std::printf("  box %d: entries %d and %d are both 0x%08X\n", b + 1, it->second, i, box[i]);
            }
        }
        // The password rules must refuse it too, with their message.
        try {
            KeyForNewPassword(QString::fromLatin1(password));
            std::printf("  but KeyForNewPassword accepted it!\n");
            return 1;
        } catch (const EPasswordRefused &) {
        }
    }
    std::printf("%.1f s\n", timer.elapsed() / 1000.0);
    return 0;
}
