#include "loadresult.h"

namespace {

// Indexed by code - 1.
const char* const kMessages[] = {
    "Файл не найден",
    "Ошибка чтения входного файла",
    "Ошибка чтения S2P файла",
    "Неверный тип данных - поддерживается только файл S параметров",
    "Ошибка записи выходного файла",
    "Файл содержит больше измерений, чем можно открыть (2045)",
    "Более 32 портов - поддерживаются файлы не более чем с 32 портами",
    "Неверные ключевые слова Touchstone",
    "Число частот не совпадает с [Number of Frequencies]",
    "Файл пуст",
    "Файл не текстовый (двоичные данные)",
    "В файле нет ни одной строки данных",
    "Только одна частотная точка; нужно две или больше",
    "Недостаточно памяти",
};

const char* const kReasons[] = {
    "the file cannot be opened",
    "the file cannot be read whole",
    "no usable S-parameter data",
    "the parameter type is not S",
    "the output file cannot be written",
    "more measurements than the window can hold (2045)",
    "more than 32 ports (files of up to 32 ports are read)",
    "a Touchstone keyword is missing or has a value that cannot be read",
    "the network data do not hold the [Number of Frequencies] points",
    "the file is empty",
    "not a text file (binary data)",
    "no data line in the text",
    "only one frequency point; two or more are needed",
    "not enough memory",
};

constexpr int kCodeCount = static_cast<int>(sizeof(kMessages) / sizeof(kMessages[0]));
static_assert(kCodeCount == lastLoadResult && sizeof(kReasons) == sizeof(kMessages), "a text per code");

} // namespace

const char* loadResultMessage(int code)
{
    return code >= 1 && code <= kCodeCount ? kMessages[code - 1] : "";
}

const char* loadResultReason(int code)
{
    return code >= 1 && code <= kCodeCount ? kReasons[code - 1] : "";
}
