# unrar.dll from Debian's UnRAR source (filled in by the library build).
