// Runs Lighthouse (from npm, at the version tests/browser/package-lock.json
// pins) on pages in a Chromium that is already running, one page after the
// other in that one browser, and prints what each run found as JSON.
//
// Reads from standard input: {"modules": the node_modules folder holding
// lighthouse, "port": the browser's remote debugging port, "runs": [{"url",
// "form": "desktop" or "mobile"}]}. Prints [{"url", "form", "seconds",
// "scores": {category: 0..1}, "failing": [{"id", "title", "score", "items"}]}].

import path from 'node:path';
import {pathToFileURL} from 'node:url';

const CATEGORIES = ['performance', 'accessibility', 'best-practices', 'seo'];

async function readInput() {
  let text = '';
  for await (const chunk of process.stdin) text += chunk;
  return JSON.parse(text);
}

// What a failing audit points at, briefly: the first few items' selectors,
// snippets, sources or texts.
function items(audit) {
  const list = (audit.details && audit.details.items) || [];
  return list.slice(0, 5).map((item) => {
    const node = item.node || {};
    const source = item.source || {};
    return node.selector || node.snippet || item.description || item.url || source.url || item.text ||
      JSON.stringify(item).slice(0, 200);
  });
}

const input = await readInput();
const load = (file) => import(pathToFileURL(path.join(input.modules, 'lighthouse', file)).href);
const {default: lighthouse} = await load('core/index.js');
const {default: desktopConfig} = await load('core/config/desktop-config.js');
const {default: defaultConfig} = await load('core/config/default-config.js');

// Audits that count nothing towards a score (diagnostics, insights) are
// left out, and so are the gatherers only they need.
const unscored = [];
for (const category of CATEGORIES) {
  for (const ref of defaultConfig.categories[category].auditRefs) {
    if (!ref.weight) unscored.push(ref.id);
  }
}

const results = [];
for (const run of input.runs) {
  const started = Date.now();
  const flags = {
    port: input.port,
    hostname: '127.0.0.1',
    logLevel: 'error',
    output: 'json',
    onlyCategories: CATEGORIES,
    // The picture of the whole page is for people reading a report.
    disableFullPageScreenshot: true,
    skipAudits: unscored,
    // The page is one small file with its script: a quarter of a second
    // without network or main-thread work tells that it has loaded, where
    // Lighthouse waits a second for pages of any kind; and the blank page
    // between runs adds nothing for pages that share no state.
    pauseAfterFcpMs: 250,
    pauseAfterLoadMs: 250,
    networkQuietThresholdMs: 250,
    cpuQuietThresholdMs: 250,
    skipAboutBlank: true,
  };
  const config = run.form === 'desktop' ? desktopConfig : undefined;
  const result = await lighthouse(run.url, flags, config);
  const lhr = result.lhr;
  const failing = [];
  for (const category of CATEGORIES) {
    for (const ref of lhr.categories[category].auditRefs) {
      const audit = lhr.audits[ref.id];
      if (ref.weight > 0 && audit.score !== null && audit.score < 1) {
        failing.push({id: audit.id, category, title: audit.title, score: audit.score,
          value: audit.displayValue || '', items: items(audit)});
      }
    }
  }
  const scores = {};
  for (const category of CATEGORIES) scores[category] = lhr.categories[category].score;
  results.push({
    url: run.url, form: run.form, seconds: (Date.now() - started) / 1000, scores, failing,
    runtimeError: lhr.runtimeError ? lhr.runtimeError.message : null,
    warnings: lhr.runWarnings,
  });
}
process.stdout.write(JSON.stringify(results, null, 1) + '\n');
