// unrar-partial.dll: a stand-in for unrar.dll that exports every call of the
// binding except RARReadHeaderEx, so that the loader's "no entry point" path
// can be tested. The functions are never called (the load fails first).
extern "C" {
__declspec(dllexport) void *RAROpenArchive(void *) {
  return nullptr;
}
__declspec(dllexport) int RARCloseArchive(void *) {
  return 0;
}
__declspec(dllexport) int RARReadHeader(void *, void *) {
  return 10;
}
__declspec(dllexport) int RARProcessFile(void *, int, char *, char *) {
  return 0;
}
__declspec(dllexport) void RARSetChangeVolProc(void *, void *) {}
__declspec(dllexport) void RARSetProcessDataProc(void *, void *) {}
}
