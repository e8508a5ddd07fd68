#include "loadresult.h"

namespace {

// Indexed by code - 1.
const char* const kMessages[] = {
    "Файл не найден",
    "Ошибка чтения входного файла",
    "Ошибка чтения S2P файла",
    "Неверный тип данных - поддерживается только файл S параметров",
    "Ошибка записи выходного файла",
    "Более 32 портов - поддерживаются файлы не более чем с 32 портами",
    "Неверные ключевые слова Touchstone",
    "Число частот не совпадает с [Number of Frequencies]",
};

const char* const kReasons[] = {
    "the file cannot be opened",
    "the file cannot be read whole",
    "no usable S-parameter data",
    "the parameter type is not S",
    "the output file cannot be written",
    "more than 32 ports (files of up to 32 ports are read)",
    "a Touchstone keyword is missing or has a value that cannot be",
    "the network data do not hold the [Number of Frequencies] points",
};

constexpr int kCodeCount = static_cast<int>(sizeof(kMessages) / sizeof(kMessages[0]));

} // namespace

const char* loadResultMessage(int code)
{
    return code >= 1 && code <= kCodeCount ? kMessages[code - 1] : "";
}

const char* loadResultReason(int code)
{
    return code >= 1 && code <= kCodeCount ? kReasons[code - 1] : "";
}
