#pragma once

#include "Backup.h"
#include "RecordArray.h"

#include <QString>

#include <vector>

// The envelope sizes most letters go in, ready to pick: ISO 269 C4, C5, C6, C6/5, DL, E4,
// B4, B5, B6 and the American #10 and Monarch, long edge horizontal.
std::vector<EnvelopeFormat> standardEnvelopeFormats();

// Merged as a restore merges: formats whose labels the list holds are skipped and listed.
RestoreOutcome addStandardEnvelopeFormats(EnvelopeFormatArray &envelopes);

QString standardEnvelopesTitle();
// The success line, then the labels that were already there.
QString standardEnvelopesReport(const std::vector<std::string> &skippedLabels);
