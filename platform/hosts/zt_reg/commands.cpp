#include "platform/hosts/zt_reg/commands.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "platform/base/text.h"
#include "platform/hosts/zt_reg/registry_dump.h"
#include "platform/hosts/zt_reg/text_escape.h"
#include "platform/hosts/zt_reg/value_text.h"

namespace zt::platform::zt_reg {
namespace {
using registry::Key;
using registry::Status;

std::string quoted_name(const std::u16string& name) { return name.empty() ? "(default)" : quote(name); }

int key_not_found(const KeyArgument& key, Streams io) {
    io.err << "zt-reg: key not found: " << key.as_given << "\n";
    return kExitNotFound;
}

int failed(const std::string& what, Streams io) {
    io.err << "zt-reg: " << what << " failed\n";
    return kExitFailure;
}

int run_get(const Command& command, Streams io) {
    auto key = Key::open(command.key->root, command.key->path);
    if (!key) return key_not_found(*command.key, io);
    registry::ValueType type {};
    uint32_t size = 0;
    Status status = key->query_value(*command.value_name, &type, nullptr, &size);
    std::vector<uint8_t> data;
    // Another process may grow the value between the two calls; ask again when it did.
    while (status == Status::Ok || status == Status::MoreData) {
        data.resize(size);
        status = key->query_value(*command.value_name, &type, data.data(), &size);
        if (status == Status::Ok) break;
    }
    if (status == Status::NotFound) {
        io.err << "zt-reg: value " << quoted_name(*command.value_name) << " not found in " << command.key->as_given << "\n";
        return kExitNotFound;
    }
    if (status != Status::Ok) return failed("reading the value", io);
    data.resize(size);
    io.out << format_for_get(type, data);
    return kExitOk;
}

int run_set(const Command& command, Streams io) {
    auto created = Key::create(command.key->root, command.key->path);
    if (!created) return failed("creating key " + command.key->as_given, io);
    if (created->key.set_value(*command.value_name, command.type, command.data) != Status::Ok)
        return failed("setting the value", io);
    return kExitOk;
}

int run_list(const Command& command, Streams io) {
    auto key = Key::open(command.key->root, command.key->path);
    if (!key) return key_not_found(*command.key, io);
    for (uint32_t i = 0; auto name = key->enum_subkey(i); ++i) io.out << "[" << for_display(*name) << "]\n";
    for (uint32_t i = 0; auto value = key->enum_value(i); ++i) {
        std::string name = value->name.empty() ? "@" : for_display(value->name);
        io.out << name << " = " << type_name(value->type) << " " << format_for_list(value->type, value->data) << "\n";
    }
    return kExitOk;
}

int run_delete(const Command& command, Streams io) {
    const KeyArgument& target = *command.key;
    if (command.value_name) {
        auto key = Key::open(target.root, target.path);
        if (!key) return key_not_found(target, io);
        Status status = key->delete_value(*command.value_name);
        if (status == Status::NotFound) {
            io.err << "zt-reg: value " << quoted_name(*command.value_name) << " not found in " << target.as_given << "\n";
            return kExitNotFound;
        }
        return status == Status::Ok ? kExitOk : failed("deleting the value", io);
    }
    Status status = registry::delete_tree(target.root, target.path);
    if (status == Status::InvalidArgument) {
        io.err << "zt-reg: refusing to delete a whole hive or a malformed key: " << target.as_given << "\n";
        return kExitFailure;
    }
    if (status == Status::NotFound) return key_not_found(target, io);
    return status == Status::Ok ? kExitOk : failed("deleting the key", io);
}

int run_export(const Command& command, Streams io) {
    std::vector<ExportStart> starts;
    if (command.key) {
        starts.push_back({ command.key->root, command.key->path });
    } else {
        starts.push_back({ registry::Root::CurrentUser, u"" });
        starts.push_back({ registry::Root::LocalMachine, u"" });
    }
    Status status = export_trees(starts, io.out);
    if (status == Status::NotFound) return key_not_found(*command.key, io);
    return status == Status::Ok ? kExitOk : failed("writing the export", io);
}

int run_import(const Command& command, Streams io) {
    std::string text;
    if (command.file == "-") {
        text.assign(std::istreambuf_iterator<char>(io.in), {});
    } else {
        std::ifstream file(command.file, std::ios::binary);
        if (!file) {
            io.err << "zt-reg: cannot read " << command.file << "\n";
            return kExitFailure;
        }
        text.assign(std::istreambuf_iterator<char>(file), {});
    }
    DumpParse parsed = parse_dump(text);
    if (parsed.error) {
        io.err << "zt-reg: " << (command.file == "-" ? "stdin" : command.file) << ": " << *parsed.error
               << " (nothing imported)\n";
        return kExitFailure;
    }
    std::string failure;
    if (!import_keys(parsed.keys, &failure)) {
        io.err << "zt-reg: import stopped: " << failure << " (nothing imported)\n";
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace

int run_command(const Command& command, Streams io) {
    switch (command.action) {
    case Action::Help: io.out << usage_text(); return kExitOk;
    case Action::Get: return run_get(command, io);
    case Action::Set: return run_set(command, io);
    case Action::List: return run_list(command, io);
    case Action::Delete: return run_delete(command, io);
    case Action::Export: return run_export(command, io);
    case Action::Import: return run_import(command, io);
    }
    return kExitFailure;
}

}  // namespace zt::platform::zt_reg
