// SPDX-License-Identifier: GPL-3.0-or-later
/* The yardstick for radioprog-cli's start-up: a program that only reads a file and prints
   its size. `hyperfine 'read_file radio.dat' 'radioprog-cli channels radio.dat'` compares
   the two whole processes. */
#include <stdio.h>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    FILE* file = fopen(argv[1], "rb");
    if (!file) return 2;
    char buffer[8192];
    size_t total = 0, n;
    while ((n = fread(buffer, 1, sizeof buffer, file)) > 0) total += n;
    fclose(file);
    printf("%zu\n", total);
    return 0;
}
