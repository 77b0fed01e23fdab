#pragma once

#include <string>

// One envelope format; lengths in centimetres, stored bit for bit.
struct EnvelopeFormat
{
    float width = 0.0f;
    float height = 0.0f;
    float addresseeLeft = 0.0f;
    float addresseeTop = 0.0f;
    float senderLeft = 0.0f;
    float senderTop = 0.0f;
    std::string label; // code page 1250 bytes
};

// One addressee or sender: a multi-line text with CR LF breaks, and its label.
struct AddressEntry
{
    std::string text;  // code page 1250 bytes
    std::string label; // code page 1250 bytes
};
