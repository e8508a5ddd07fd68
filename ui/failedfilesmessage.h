#pragma once

#include <QString>

#include <vector>

#include "loadreport.h"

struct UiTexts;

// Most files the message names one by one; the rest are counted.
constexpr int failedFilesListed = 20;

// The message after a load that left files out: a heading, then "path: reason" per file in the
// language of texts, at most failedFilesListed of them and then how many more there are.
QString failedFilesMessage(const std::vector<FailedFile>& failed, const UiTexts& texts);
