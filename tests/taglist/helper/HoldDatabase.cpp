// Holds a database file open the way the program does, from a second process,
// until its standard input closes. Prints "held" once the file is held, or
// "error <number>" when it cannot open it.

#include <cstdio>
#include <iostream>
#include <string>

#include "db/Database.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DATABASE\n", argv[0]);
        return 2;
    }
    try {
        auto db = tw::Database::open(QString::fromLocal8Bit(argv[1]));
        auto players = db->openRecordset(QStringLiteral("Player"));
        (void)players->isEof();
        std::printf("held\n");
        std::fflush(stdout);
        std::string line;
        while (std::getline(std::cin, line)) {
        }
    } catch (const tw::AppError& error) {
        std::printf("error %d\n", error.number());
        return 1;
    }
    return 0;
}
