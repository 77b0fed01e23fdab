#include "ThirdFieldSettings.h"

#include "ProfileFile.h"

namespace {
constexpr char kSection[] = "TRETI_OKNO";

ProfileFile openProfile()
{
    ProfileFile profile;
    profile.SetFileName(kProfileFileName);
    return profile;
}
} // namespace

ThirdFieldValues readThirdFieldSettings()
{
    ProfileFile profile = openProfile();
    ThirdFieldValues values;
    if (!profile.GetStruct(kSection, "font", &values.font, sizeof values.font))
        InitDefaultLogFont(values.font);
    values.left = profile.GetDouble(kSection, "left", 0.0);
    values.top = profile.GetDouble(kSection, "up", 0.0);
    values.width = profile.GetDouble(kSection, "sirka", 0.0);
    values.height = profile.GetDouble(kSection, "vyska", 0.0);
    values.pointSize = profile.GetInt(kSection, "vfont", 120);
    return values;
}

void writeThirdFieldSettings(const ThirdFieldValues &values)
{
    ProfileFile profile = openProfile();
    profile.WriteStruct(kSection, "font", &values.font, sizeof values.font);
    profile.WriteDouble(kSection, "left", values.left);
    profile.WriteDouble(kSection, "up", values.top);
    profile.WriteDouble(kSection, "sirka", values.width);
    profile.WriteDouble(kSection, "vyska", values.height);
    profile.WriteInt(kSection, "vfont", values.pointSize);
}

bool readThirdFieldLink()
{
    return openProfile().GetInt(kThirdFieldLinkSection, kThirdFieldLinkKey, 1) != 0;
}
