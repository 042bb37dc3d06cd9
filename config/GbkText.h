#pragma once

// Text in GBK (code page 936), as Windows programs and spreadsheets on Chinese systems save it, for
// the image library's readers that take a decoder for text that is not UTF-8.

#include "ChannelCsv.h"

// GBK bytes to UTF-8; nothing when the bytes are not GBK.
orx::LegacyDecoder GbkDecoder();
