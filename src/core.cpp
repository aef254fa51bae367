// The bundle of all feature folders; it holds no code of its own.
namespace tw {
const char* CoreName() { return "tallywick_core"; }
}  // namespace tw
