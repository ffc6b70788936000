// The contents of two files the installer hands on without reading them:
// the registry file (to the registry editor) and install.mid (to the media
// player).
#pragma once

#include <string>

// "" when `bytes` are a registry file that writes only under
// HKEY_CURRENT_USER, else why not.
std::string RegistryFileProblem(const std::string &bytes);
// "" when `bytes` are a standard MIDI file, else why not.
std::string MidiFileProblem(const std::string &bytes);
