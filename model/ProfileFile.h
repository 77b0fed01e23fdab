#pragma once

#include <string>
#include <string_view>

// One value of the profile file "lerbot.ini" per call; nothing cached. Inactive (every call
// a no-op returning 0 or the default) while the file name is empty.
class ProfileFile
{
public:
    ProfileFile() = default;
    virtual ~ProfileFile() = default;

    void SetFileName(std::string_view name);

    int WriteString(std::string_view section, std::string_view key, std::string_view value);
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue);
    int WriteInt(std::string_view section, std::string_view key, int value);
    int GetInt(std::string_view section, std::string_view key, int defaultValue);
    int WriteDouble(std::string_view section, std::string_view key, double value);
    double GetDouble(std::string_view section, std::string_view key, double defaultValue);
    int WriteStruct(std::string_view section, std::string_view key, const void *data, int size);
    int GetStruct(std::string_view section, std::string_view key, void *data, int size);

private:
    std::string m_fileName;
};

inline constexpr char kProfileFileName[] = "lerbot.ini";
