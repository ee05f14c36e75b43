#include "tools/BookContents.h"

namespace {
const char *const kContentsTitles[64] = {
    "Tvoření", "Vnímání", "Rození", "Zrání", "Čekání", "Svár", "Vojsko", "Spojení", "Působení slabého", "Chůze",
    "Prosperita", "Úpadek", "Společenství", "Bohatství", "Pokora", "Nadšení", "Následek", "Rozklad", "Vzestup",
    "Pozorování", "Skousnutí", "Půvab", "Roztříštění", "Návraty", "Nevinnost", "Podrobení velkého", "Potrava",
    "Převaha velkého", "Propadání", "Oheň", "Přitažlivost", "Sňatek", "Ústup", "Moc velkého", "Pokrok", "Soumrak",
    "Rodina", "Vzdálení", "Překážka", "Osvobození", "Ubývání", "Vzrůst", "Otvor", "Vyjít vstříc", "Shromáždění",
    "Úsilí dosáhnout vrcholu", "Vyčerpání", "Studna", "Převrat", "Kotlík", "Hrom", "Znehybnění", "Rozvoj",
    "Provdání", "Hojnost", "Putování", "Pronikání", "Poklidná radost", "Rozklad", "Omezení", "Vnitřní pravda",
    "Převaha malého", "Po dokončení", "Před dokončením",
};
} // namespace

namespace BookContents {

QString Entry(int number)
{
    QString e = QStringLiteral("%1. %2").arg(number).arg(QString::fromUtf8(kContentsTitles[number - 1]));
    if (number <= 8)
        e += u' ';
    return e;
}

QStringList Entries()
{
    QStringList l;
    for (int n = 1; n <= 64; ++n)
        l << Entry(n);
    return l;
}

} // namespace BookContents
