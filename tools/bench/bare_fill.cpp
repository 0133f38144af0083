// The triangles fill as a bare loop, for comparing with the initialisation time that
// triangles reports: the same arithmetic over freshly allocated memory, nothing else.
// Prints one time per repetition in seconds; usage: bare_fill [repetitions]

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char** argv) {
  constexpr std::int64_t count = 103'680'000;
  const int repetitions = argc > 1 ? std::atoi(argv[1]) : 1;
  double checksum = 0;
  for (int repetition = 0; repetition < repetitions; ++repetition) {
    const auto start = std::chrono::steady_clock::now();
    std::unique_ptr<double[]> data(new double[count]);
    for (std::int64_t i = 0; i < count; ++i) {
      const double x = static_cast<double>(i);
      data[i] = (std::sin(x) + std::cos(x)) * std::tan(x);
    }
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    checksum += data[count - 1];  // keeps the loop from being dropped
    std::printf("bare fill: %g s\n", spent.count());
  }
  std::fprintf(stderr, "checksum %g\n", checksum);
  return 0;
}
