#pragma once

// Numeric command ids of the menu, toolbar and keys, routed to a target by number as the
// message maps did.
namespace Command {
inline constexpr int NewAddressee = 32772;
inline constexpr int NewSender = 32773;
inline constexpr int NewEnvelope = 32774;
inline constexpr int PrintFont = 32775;
inline constexpr int EditEnvelope = 32776;
inline constexpr int EditAddressee = 32777;
inline constexpr int EditSender = 32778;
inline constexpr int DeleteEntries = 32779;
inline constexpr int BackupSenders = 32781;
inline constexpr int BackupAddressees = 32782;
inline constexpr int BackupEnvelopes = 32783;
inline constexpr int RestoreBackup = 32784;
inline constexpr int ThirdField = 32786;
inline constexpr int LinkThirdField = 32788;
inline constexpr int ImportAddresses = 32810;
inline constexpr int ExportAddresses = 32811;
inline constexpr int BatchPrint = 32812;
inline constexpr int AddStandardEnvelopes = 32820;
inline constexpr int PrinterFeedSettings = 32821;
inline constexpr int PrintPreviewChecked = 32822;
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileSave = 57603;
inline constexpr int FilePrintSetup = 57606;
inline constexpr int FilePrint = 57607;
inline constexpr int FilePrintDirect = 57608;
inline constexpr int FilePrintPreview = 57609;
inline constexpr int EditCopy = 57634;
inline constexpr int EditCut = 57635;
inline constexpr int EditPaste = 57637;
inline constexpr int AppAbout = 57664;
inline constexpr int NextPane = 57680;
inline constexpr int PrevPane = 57681;
inline constexpr int ViewToolbar = 59392;
} // namespace Command

// What an update handler says about a command: its check mark and whether it is enabled.
struct CCmdUI
{
    bool enabled = true;
    bool checked = false;
};

// Something that handles numbered commands: the view, the frame, the application.
class CCmdTarget
{
public:
    virtual ~CCmdTarget() = default;
    // true when the command was handled here.
    virtual bool OnCmdMsg(int id) = 0;
    // true when this target has an update handler for the command and filled state.
    virtual bool OnUpdateCmdUI(int id, CCmdUI &state)
    {
        (void)id;
        (void)state;
        return false;
    }
};
