#pragma once
// Mix files: the normalised values of every parameter set of the control panel in one checked file
// (format and checks: MixFileCheck.h). Block k holds controller k of the list the application gives:
// 0 the main window's, 1..8 the effect panels' in the application's order.
//
// Saving replaces the file as a whole or not at all (AtomicFile). Loading checks the whole file before
// the first parameter changes; a rejected file leaves every parameter as it was. Finite values outside
// 0..1 are held to it. Rejections are told through the message sink unless the load is silent.
//
// A path whose last load was rejected is remembered: the application does not write a rejected file
// named on the command line at exit (WasRejected), and a silently loaded (default) mix that was
// rejected is copied to "<path>.bak" before the first save over it. A successful save forgets both.
// GUI thread only.

#include "CtrlPanel/MixFileCheck.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

class AtomicFile;
class MessageSink;
class PageController;

class MixFile {
public:
    static constexpr uint32_t kMagic = 2;
    static constexpr uint32_t kVersion = 1;
    // The first line of every box that tells of a failed save.
    static constexpr const char* kNotSavedText = "Could not save the mix file.";

    explicit MixFile(MessageSink& messages);

    // Not owned; they must outlive their use here. A null entry counts as a set without parameters.
    void SetControllers(std::vector<PageController*> controllers);
    // Run by every save once its file has been created, before the image is written: the device stores
    // its settings. The default calls VelbrinHAL::SaveToCnE when a HAL exists.
    void SetStoreHook(std::function<void()> hook);

    // Writes the file; false, with the old file as it was, when it cannot be created, written, synced
    // or renamed, or the backup of a rejected default mix cannot be made. Shows nothing: SaveError
    // says why.
    bool SaveMixFile(const std::string& path, uint32_t magic);
    // Why the last save failed, for the user: "<file>: <reason>"; empty after one that succeeded.
    const std::string& SaveError() const { return m_saveError; }
    // True when the last save failed because the backup of the rejected file it would replace could
    // not be made (SaveError names the backup); the file is then as it was.
    bool BackupFailed() const { return m_backupFailed; }
    bool WriteMix(uint32_t magic, uint32_t version, AtomicFile& file);
    // The whole file as it is written.
    std::vector<uint8_t> BuildMixImage(uint32_t magic, uint32_t version);
    // Fills one block (host-order words) at destination from the controller's values; its length in
    // bytes. destination holds 3 + the controller's parameter count words.
    uint32_t FillMixBlock(uint32_t index, uint32_t* destination, PageController* controller);
    // The scratch values become the controller's normalised values, in parameter order.
    void CollectValues(PageController* controller);

    // Opens path and reads it; NotOpened (nothing shown) when it is missing, not a regular file or
    // cannot be opened.
    MixLoadResult LoadMixFile(const std::string& path, bool silent, uint32_t magic = kMagic);
    MixLoadResult ReadMix(uint32_t magic, uint32_t version, FILE* file, bool silent);
    // data: the file of size bytes; of a file larger than MaxFileSize, its header is enough.
    MixLoadResult ReadMixImage(uint32_t magic, uint32_t version, const uint8_t* data, size_t size, bool silent);
    // Applies one checked block (host-order words); its length in bytes, or 0 when its index names no
    // controller or it holds more values than its controller has parameters.
    uint32_t ApplyMixBlock(const uint32_t* block);
    // Sets the controller's parameters 0.. to the scratch values, when it has at least as many.
    void ApplyValues(PageController* controller);

    // True when the last load of path was rejected (and no save over it succeeded since).
    bool WasRejected(const std::string& path) const;
    size_t MaxFileSize() const;

private:
    MixFileCheck Checker() const;
    // What is read of a file of size bytes: all of it, or only its header when it is larger than any
    // mix file.
    size_t ReadableBytes(size_t size) const;
    void Report(MixLoadResult result, bool silent);
    // Copies the rejected file at path to path + ".bak"; true when done or there is nothing to copy.
    bool KeepBackup(const std::string& path);
    // Records why a save failed; false.
    bool Failed(const std::string& file, const std::string& reason, bool backup);

    MessageSink& m_messages;
    std::vector<PageController*> m_controllers;
    std::function<void()> m_store;
    std::vector<float> m_values;
    std::set<std::string> m_rejected;
    std::set<std::string> m_backupDue;
    std::string m_saveError;
    bool m_backupFailed = false;
};
