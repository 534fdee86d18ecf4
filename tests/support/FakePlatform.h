#pragma once

// In-memory fakes of the platform ports, for unit tests of the core.

#include "base/Text.h"
#include "platform/Folders.h"
#include "platform/InstanceLock.h"
#include "platform/LibraryLoader.h"
#include "platform/Platform.h"
#include "platform/Registry.h"
#include "platform/Shell.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace saver::test {

class FakeRegistry : public Registry {
  public:
    bool KeyExists(RegistryHive hive, const std::string& key) const override {
        return keys_.count({hive, UpperCase(key)}) > 0;
    }
    std::optional<RegistryValue> ReadValue(RegistryHive hive, const std::string& key,
                                           const std::string& name) const override {
        auto found = values_.find({hive, UpperCase(key), UpperCase(name)});
        if (found == values_.end()) {
            return std::nullopt;
        }
        return found->second;
    }
    bool WriteValue(RegistryHive hive, const std::string& key, const std::string& name,
                    const RegistryValue& value) override {
        if (refuse_writes) {
            return false;
        }
        keys_.insert({hive, UpperCase(key)});
        values_[{hive, UpperCase(key), UpperCase(name)}] = value;
        written.push_back(name);
        return true;
    }
    void CreateKey(RegistryHive hive, const std::string& key) {
        keys_.insert({hive, UpperCase(key)});
    }

    std::vector<std::string> written;  // value names in the order they were written
    bool refuse_writes = false;

  private:
    std::set<std::pair<RegistryHive, std::string>> keys_;
    std::map<std::tuple<RegistryHive, std::string, std::string>, RegistryValue> values_;
};

class FakeFolders : public Folders {
  public:
    std::string temporary, system, executable, cache;
    std::string TemporaryFolder() const override { return temporary; }
    std::string SystemFolder() const override { return system; }
    std::string RuntimeFolder() const override { return temporary; }
    std::string ExecutablePath() const override { return executable; }
    std::string DiskFolder() const override { return temporary; }
    std::string CacheFolder() const override { return cache; }
};

class FakeShell : public Shell {
  public:
    std::vector<std::string> opened;
    std::vector<std::vector<std::string>> started;  // the argument vector of each start
    std::map<std::string, std::string> display_names;

    bool OpenDocument(const std::string& target) override {
        opened.push_back(target);
        return true;
    }
    bool StartHidden(const std::vector<std::string>& argv) override {
        started.push_back(argv);
        return true;
    }
    std::string DisplayName(const std::string& path) const override {
        auto found = display_names.find(path);
        return found == display_names.end() ? std::string() : found->second;
    }
};

class FakeInstanceLock : public InstanceLock {
  public:
    bool held_elsewhere = false;
    std::vector<std::string> asked;
    bool TryAcquire(const std::string& name) override {
        asked.push_back(name);
        return !held_elsewhere;
    }
};

class FakeLibraryLoader : public LibraryLoader {
  public:
    std::vector<std::string> asked;
    std::unique_ptr<LoadedLibrary> Load(const std::string& path) override {
        asked.push_back(path);
        return nullptr;
    }
};

// All fakes together, with a Platform that refers to them.
struct FakePlatform {
    FakeRegistry registry;
    FakeFolders folders;
    FakeShell shell;
    FakeInstanceLock lock;
    FakeLibraryLoader loader;
    Platform platform{registry, folders, shell, lock, loader};
};

}  // namespace saver::test
