"""The drawn menu on pages that carry style sheets of their own: every
template on pages dressed in the style sheets of widely used CSS frameworks
and resets (from npm, pinned in package-lock.json) and in hostile.css, in
Chromium, Firefox ESR and WebKitGTK, one browser session per engine. On
such a page the menu looks as `vantrel-gen png` draws it (desktop and phone,
closed and open), every element of the menu has the computed style it has
on the bare page (closed, walked into by the keyboard, in the small-screen
form), several menus keep their own looks, a right-to-left page does not
turn the menu around, and the page's own elements keep their computed
styles whether the menu is drawn or not. In Chromium also: the menu as a
screen reader meets it, and printed, its links.

Run with /usr/bin/python3; the environment names the built vantrel-gen
(VANTREL_GEN) and the npm folder ./test fills (VANTREL_NPM). An engine whose
browser is not installed is skipped; one that is installed but cannot start
fails.
"""

import json
import os
import re
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pages  # noqa: E402
import pngdiff  # noqa: E402
import test_engines as engines  # noqa: E402
from pages import menu_tree, params, picture, read_text, save_template, write_text  # noqa: E402

from selenium.webdriver.common.keys import Keys  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
NPM = os.environ.get('VANTREL_NPM', '')
# The style sheets of widely used frameworks and resets, as their packages ship them.
FRAMEWORKS = (
    ('Bootstrap', 'bootstrap/dist/css/bootstrap.min.css'),
    ('Bulma', 'bulma/css/bulma.min.css'),
    ('Pico', '@picocss/pico/css/pico.min.css'),
    ('Tailwind preflight', 'tailwindcss/preflight.css'),
    ('normalize.css', 'normalize.css/normalize.css'),
    ('modern-normalize', 'modern-normalize/modern-normalize.css'),
)
HOSTILE = os.path.join(HERE, 'hostile.css')

# The page's own elements, before the menu: what the frameworks and the
# hostile sheet style, and look-alikes of the menu's own classes and roles.
PAGE_CONTENT = (
    '<nav class="navbar" aria-label="Page"><ul class="nav"><li class="nav-item"><a class="nav-link" href="#one">One</a>'
    '</li><li class="active"><a href="#two">Two <span class="badge">2</span></a></li></ul></nav>\r\n'
    '<h1 class="title">Heading</h1>\r\n'
    '<p class="lead">Some <a href="#text">text</a>, <span>a span</span>, <button type="button" class="btn">a button'
    '</button> and <img alt="" width="10" height="8" src="data:image/gif;base64,'
    'R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAALAAAAAABAAEAAAICRAEAOw==">.</p>\r\n'
    '<div class="glidebar gb1 gb-small gb-shown"><ul class="gb-bar" role="menubar"><li class="gb-open gb-m gb-f">'
    '<a role="menuitem" href="#x">Look-alike</a><ul class="gb-sub" role="menu"><li><a href="#y">Sub</a></li></ul>'
    '</li></ul><button class="gb-tog">Menu</button></div>\r\n')

# Chromium in its own session, as the other engines are driven.
CHROMIUM_ARGS = ('--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                 '--disable-background-networking', '--disable-component-update', '--disable-sync',
                 '--force-device-scale-factor=1', '--hide-scrollbars')


class ChromiumEngine(engines.Engine):
    name = 'Chromium'
    binary = '/usr/bin/chromium'
    tolerance = 64
    min_match = 0.98

    def start(self, workdir):
        from selenium import webdriver
        from selenium.webdriver.chrome.options import Options
        from selenium.webdriver.chrome.service import Service
        options = Options()
        options.binary_location = self.binary
        for arg in CHROMIUM_ARGS + ('--user-data-dir=' + os.path.join(workdir, 'profile'),):
            options.add_argument(arg)
        self.driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
        self.driver.set_script_timeout(10)
        self.width = None
        self.resize(engines.WIDTH, engines.HEIGHT)

    def quit(self):
        self.driver.quit()

    def navigate(self, page):
        self.resize(engines.WIDTH, engines.HEIGHT)
        self.driver.get('file://' + page)

    def resize(self, width, height):
        if width != self.width:
            self.driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
                'width': width, 'height': height, 'deviceScaleFactor': 1, 'mobile': False})
            self.width = width

    def js(self, body, *args):
        return self.driver.execute_script(body, *args)

    def wait_js(self, body):
        return self.driver.execute_async_script('const done = arguments[arguments.length - 1];' + body)

    def capture(self, x, y, w, h):
        return pngdiff.crop(pngdiff.read_png(self.driver.get_screenshot_as_png()), x, y, w, h)

    def tap(self, element):
        from selenium.webdriver.common.actions import interaction
        from selenium.webdriver.common.actions.action_builder import ActionBuilder
        from selenium.webdriver.common.actions.pointer_input import PointerInput
        touch = ActionBuilder(self.driver, mouse=PointerInput(interaction.POINTER_TOUCH, 'finger'))
        touch.pointer_action.move_to(element).pointer_down().pointer_up()
        touch.perform()

    def keys(self, *values):
        from selenium.webdriver.common.action_chains import ActionChains
        ActionChains(self.driver).send_keys(*values).perform()

    def errors(self):
        return [entry['message'] for entry in self.driver.get_log('browser') if entry['level'] == 'SEVERE']


def dress(page, name, sheets, rtl=False, content='', applets=None):
    """A copy of the saved page carrying the style sheets `sheets` (the
    frameworks' first, in its head; hostile.css last, after the menu),
    the page's own elements `content` before the menu, and for `applets`
    (a list of saved pages) their menus one after another."""
    text = read_text(page)
    links = ''.join('<link rel="stylesheet" href="file://%s">\r\n' % s for s in sheets if s != HOSTILE)
    text = text.replace('<head>', '<head>' + links, 1)
    if content:
        text = text.replace('</head>\n', '</head>\n' + content, 1)
    if applets:
        blocks = [re.search(r'<p align="[^"]*">.*?</p>\r\n', read_text(p), re.S).group(0) for p in applets]
        text = re.sub(r'<p align="[^"]*">.*?</p>\r\n', lambda m: ''.join(blocks), text, count=1, flags=re.S)
    if HOSTILE in sheets:
        text = text.replace('</html>', '<link rel="stylesheet" href="file://%s">\r\n</html>' % HOSTILE, 1)
    if rtl:
        text = text.replace('<html>', '<html dir="rtl">', 1)
    dressed = os.path.join(os.path.dirname(page), name + '.htm')
    write_text(dressed, text)
    return dressed


def framework_sheets():
    sheets = [os.path.join(NPM, path) for _, path in FRAMEWORKS]
    missing = [s for s in sheets if not os.path.isfile(s)]
    if missing:
        raise AssertionError('VANTREL_NPM does not hold %s (./test installs them from npm)' % ', '.join(missing))
    return sheets


# Every element of the applet (and the ::before and ::after of each), named
# by its place and classes, with every computed property but the page's
# custom properties, which the menu does not use. Width-like properties are
# left out when arguments[0] says so: the small-screen form is as wide as
# the page lets it be.
COMPUTED = (
    'const root = arguments[1] || document.querySelector("applet"), narrow = arguments[0];'
    'const skip = new Set(narrow ? ["width", "inline-size", "transform-origin", "perspective-origin",'
    ' "min-inline-size", "max-inline-size"] : []);'
    'const all = [root].concat(Array.from(root.querySelectorAll("*"))), out = {};'
    'all.forEach((e, i) => {'
    '  if (e.localName === "param") return;'
    '  for (const pseudo of ["", "::before", "::after"]) {'
    '    const c = getComputedStyle(e, pseudo || null), key = i + " " + e.localName + "." + e.className + pseudo;'
    '    const props = {};'
    '    for (let k = 0; k < c.length; ++k) {'
    '      const n = c[k];'
    '      if (!n.startsWith("--") && !skip.has(n)) props[n] = c.getPropertyValue(n);'
    '    }'
    '    if (pseudo && props.content !== "none" && props.content !== "normal") props.__shown = "yes";'
    '    out[key] = pseudo ? {content: props.content, display: props.display, __shown: props.__shown || ""}'
    '      : props;'
    '  }'
    '});'
    'return JSON.stringify(out);')

SETTLE = 'requestAnimationFrame(() => requestAnimationFrame(() => done(true)));'


def differences(bare, dressed, limit=12):
    """(element, property, bare value, dressed value) where two snapshots differ."""
    a, b = json.loads(bare), json.loads(dressed)
    out = []
    for key in sorted(set(a) | set(b)):
        if key not in a or key not in b:
            out.append((key, '(element)', key in a, key in b))
            continue
        for prop in sorted(set(a[key]) | set(b[key])):
            if a[key].get(prop) != b[key].get(prop):
                out.append((key, prop, a[key].get(prop), b[key].get(prop)))
    return out[:limit]


def uncovered(union, boxes):
    """The parts of the box `union` that none of `boxes` covers, as boxes:
    the page around a floating sub menu, which is the page's, not the menu's."""
    ux, uy, uw, uh = union
    edges = sorted({uy, uy + uh} | {v for x, y, w, h in boxes for v in (y, y + h) if uy < v < uy + uh})
    out = []
    for top, bottom in zip(edges, edges[1:]):
        spans = sorted((x, x + w) for x, y, w, h in boxes if y <= top and y + h >= bottom)
        left = ux
        for x0, x1 in spans:
            if x0 > left:
                out.append((left - ux, top - uy, x0 - left, bottom - top))
            left = max(left, x1)
        if left < ux + uw:
            out.append((left - ux, top - uy, ux + uw - left, bottom - top))
    return out


MENU_BOXES = ('const a = arguments[0] || document.querySelector("applet"), s = a.querySelector(".gb-open > .gb-sub");'
              'return [a].concat(s ? [s] : []).map(e => { const r = e.getBoundingClientRect();'
              ' return [Math.round(r.left), Math.round(r.top), Math.round(r.width), Math.round(r.height)]; });')

engines_run = {}
template_pages = {}


def setUpModule():
    if not os.path.isfile(pages.GEN):
        raise unittest.SkipTest('VANTREL_GEN does not name the built vantrel-gen')
    pages.start('isolation-test-')


def tearDownModule():
    pages.finish()
    for name, seconds in engines_run.items():
        print('%s: %.1f s' % (name, seconds))


pictures = {}


def cached_picture(page, *extra):
    """The picture `vantrel-gen png` draws, drawn once for every engine."""
    key = (page,) + extra
    if key not in pictures:
        pictures[key] = picture(page, *extra)
    return pictures[key]


def template_page(n):
    if n not in template_pages:
        template_pages[n] = save_template(n)
    return template_pages[n]


class IsolationCases:
    """The cases, run in one session of the class's engine."""
    engine_class = None

    @classmethod
    def setUpClass(cls):
        cls.started = time.monotonic()
        engine = cls.engine_class()
        if not os.path.exists(engine.binary):
            raise unittest.SkipTest('%s is not installed (%s)' % (engine.name, engine.binary))
        cls.sheets = framework_sheets()
        engine.start(pages.folder('isolation-' + engine.name.replace(' ', '-')))
        cls.engine = engine

    @classmethod
    def tearDownClass(cls):
        cls.engine.quit()
        engines_run[cls.engine.name] = time.monotonic() - cls.started

    def dressed(self, n):
        """Template n's page dressed in every framework's sheet and in
        hostile.css, right to left."""
        return dress(template_page(n), 'dressed', self.sheets + [HOSTILE], rtl=True)

    def settle(self):
        self.engine.wait_js(SETTLE)

    def open_small(self, page):
        """The page on a phone's width; False where the menu fits it."""
        e = self.engine
        e.open(page)
        e.resize(360, engines.HEIGHT)
        self.settle()
        return e.js('return document.querySelector("applet").classList.contains("gb-small");')

    def computed(self, narrow=False):
        return self.engine.js(COMPUTED, narrow, None)

    def keys_into_sub(self, page):
        """Tab into the menu and the arrow keys into the first sub menu; the
        focused sub item."""
        e = self.engine
        p = params(page)
        across = p['MMStyle'].split(',')[2] == 'h'
        nxt, into = (Keys.ARROW_RIGHT, Keys.ARROW_DOWN) if across else (Keys.ARROW_DOWN, Keys.ARROW_RIGHT)
        owner = pages.sub_menu_owners(page)[0]
        e.keys(Keys.TAB, *([nxt] * owner + [into]))
        main = e.mains()[owner]
        self.assertEqual(e.attr(main, 'aria-expanded'), 'true')
        first = e.subs(main)[0]
        self.assertTrue(e.is_active(first))
        return first

    def snapshots(self, page):
        """The applet's computed styles: closed, with the keyboard in a sub
        menu, and in the small-screen form with a section shown."""
        e = self.engine
        out = {}
        e.open(page)
        out['closed'] = self.computed()
        if pages.sub_menu_owners(page):
            self.keys_into_sub(page)
            out['keys in a sub menu'] = self.computed()
        if self.open_small(page):
            e.js('document.querySelector("applet .gb-tog").click();'
                 'const d = document.querySelector("applet .gb-bar > li > .gb-disc"); if (d) d.click();')
            self.settle()
            out['small-screen form'] = self.computed(True)
        return out

    def test_computed_styles(self):
        """Every template: the menu's elements keep their computed styles
        under the frameworks' sheets and the hostile sheet."""
        for n in range(pages.template_count()):
            bare = self.snapshots(template_page(n))
            dressed = self.snapshots(self.dressed(n))
            for state, snapshot in bare.items():
                with self.subTest(template=n, state=state):
                    self.assertIn(state, dressed)
                    self.assertEqual(differences(snapshot, dressed[state]), [])
            self.assertEqual(self.engine.errors(), [])

    def assertLooksLikePicture(self, picture_, boxes, leave_out=()):
        """The union of `boxes` (the applet's and the open sub menu's, in the
        window) against the picture; the page around a sub menu and the
        boxes `leave_out` (in the union's coordinates) are not counted."""
        e = self.engine
        x0, y0 = min(b[0] for b in boxes), min(b[1] for b in boxes)
        x1, y1 = max(b[0] + b[2] for b in boxes), max(b[1] + b[3] for b in boxes)
        union = (x0, y0, x1 - x0, y1 - y0)
        shot = e.capture(*union)
        outside = uncovered(union, boxes) + list(leave_out)
        ratio = pngdiff.match_ratio(shot, picture_, e.tolerance, outside)
        print('%s: %.4f of the pixels match' % (e.name, ratio))
        self.assertGreaterEqual(ratio, e.min_match)

    def test_pictures(self):
        """Every template on its dressed page: closed, with a sub menu open,
        and on a phone with a section shown, as `vantrel-gen png` draws it."""
        e = self.engine
        for n in range(pages.template_count()):
            saved = template_page(n)
            owners = pages.sub_menu_owners(saved)
            page = self.dressed(n)
            for k in [None] + owners[:1]:
                with self.subTest(template=n, open=k):
                    e.open(page)
                    leave_out = []
                    if k is not None:
                        main = e.mains()[k]
                        if e.opens_by_tap:
                            e.tap(main)
                        else:
                            e.hover(main)
                        self.assertEqual(e.attr(main, 'aria-expanded'), 'true')
                    boxes = e.js(MENU_BOXES, None)
                    if k is not None and not e.opens_by_tap:
                        x, y, w, h = e.box(main)
                        leave_out = [(x + boxes[0][0] - min(b[0] for b in boxes),
                                      y + boxes[0][1] - min(b[1] for b in boxes), w, h)]
                    ref = cached_picture(saved) if k is None else cached_picture(saved, '--open', k)
                    self.assertLooksLikePicture(ref, boxes, leave_out)
            for k in owners[:1] or [None]:
                with self.subTest(template=n, phone=True, open=k):
                    if not self.open_small(page):
                        continue  # the menu fits: its pictures are the desktop cases'
                    if k is not None:
                        e.js('document.querySelector("applet .gb-tog").click();'
                             'document.querySelector("applet .gb-bar > li > .gb-disc").click();')
                        self.settle()
                    boxes = e.js(MENU_BOXES, None)
                    # The picture of a page as wide as the room the page gives the menu.
                    width = boxes[0][2] + 2 * 8
                    extra = ['--width', width] + ([] if k is None else ['--open', k])
                    self.assertLooksLikePicture(cached_picture(saved, *extra), boxes[:1])
            self.assertEqual(e.errors(), [])

    def test_several_menus(self):
        """Menus of different templates on one dressed page: each its own
        class and each as its own picture."""
        e = self.engine
        count = pages.template_count()
        chosen = sorted({0, count // 2, count - 1})
        # Saved into one folder, so that each menu finds its images.
        saved = []
        for n in chosen:
            path = os.path.join(pages.folder('several'), 'template%d.htm' % n)
            pages.gen('save', '--template', n, path)
            saved.append(path)
        page = dress(saved[0], 'several', self.sheets + [HOSTILE], applets=saved)
        e.open(page)
        applets = e.js('return Array.from(document.querySelectorAll("applet"));')
        self.assertEqual(len(applets), len(saved))
        classes = e.js('return Array.from(document.querySelectorAll("applet"), a => a.className);')
        self.assertEqual(len(set(classes)), len(saved), classes)
        for n, s, applet in zip(chosen, saved, applets):
            with self.subTest(template=n):
                e.js('arguments[0].scrollIntoView();', applet)
                self.settle()
                self.assertLooksLikePicture(cached_picture(s), e.js(MENU_BOXES, applet))
        self.assertEqual(e.errors(), [])

    def test_page_elements_unchanged(self):
        """The page's own elements (and look-alikes of the menu's classes and
        roles) have the same computed styles whether the menu is drawn or
        not, on a page dressed in every sheet."""
        e = self.engine
        saved = template_page(0)
        with_menu = dress(saved, 'own-elements', self.sheets + [HOSTILE], content=PAGE_CONTENT)
        # The same page with the menu script kept from running.
        without = os.path.join(os.path.dirname(with_menu), 'own-elements-no-script.htm')
        write_text(without, re.sub(r'<script (?=[^>]*glidebar\.js)', '<script type="text/plain" ', read_text(with_menu)))
        self.assertNotEqual(read_text(without), read_text(with_menu))
        own = ('const out = {};'
               'Array.from(document.querySelectorAll("html, body, body *")).filter(e => !e.closest("applet"))'
               '.forEach((e, i) => {'
               '  const key = i + " " + e.localName + "." + e.getAttribute("class");'
               '  const c = getComputedStyle(e), props = {};'
               # Ancestors of the menu are as high as what they hold.
               '  const holds = !!e.querySelector("applet");'
               '  for (let k = 0; k < c.length; ++k) {'
               '    const n = c[k];'
               '    if (!(holds && /^(height|block-size|transform-origin|perspective-origin)$/.test(n)))'
               '      props[n] = c.getPropertyValue(n);'
               '  }'
               '  out[key] = props;'
               '});'
               'return JSON.stringify(out);')
        e.open(with_menu)
        drawn = e.js(own)
        e.navigate(without)
        self.assertTrue(e.wait_js('setTimeout(() => done(true), 50);'))
        self.assertFalse(e.js('return !!document.querySelector("applet [role=menubar]");'))
        plain = e.js(own)
        self.assertGreater(len(json.loads(plain)), 10)
        self.assertEqual(differences(plain, drawn), [])

    def test_keyboard_walk(self):
        """On a dressed page the keys walk the menu as on a bare one: in,
        along a sub menu, Escape back, Tab out to the page's next link."""
        e = self.engine
        n = 0
        page = self.dressed(n)
        e.open(page)
        first = self.keys_into_sub(page)
        owner = e.mains()[pages.sub_menu_owners(page)[0]]
        self.assertTrue(e.shown(first))
        e.keys(Keys.ESCAPE)
        self.assertTrue(e.is_active(owner))
        self.assertEqual(e.attr(owner, 'aria-expanded'), 'false')
        self.assertFalse(e.shown(first))
        after = e.js('const a = document.createElement("a"); a.href = "#after"; a.textContent = "after";'
                     'document.body.appendChild(a); return a;')
        e.keys(Keys.TAB)
        self.assertTrue(e.is_active(after))
        self.assertEqual(e.errors(), [])


class Chromium(IsolationCases, unittest.TestCase):
    engine_class = ChromiumEngine

    def ax_menu(self):
        """(role, name) of the menu's nodes in the accessibility tree."""
        nodes = self.engine.driver.execute_cdp_cmd('Accessibility.getFullAXTree', {})['nodes']
        return [(n.get('role', {}).get('value'), n.get('name', {}).get('value', ''))
                for n in nodes if not n.get('ignored')
                and n.get('role', {}).get('value') in ('menubar', 'menu', 'menuitem', 'button', 'link')]

    def test_screen_reader_tree(self):
        """The menu's roles and names on the dressed pages, closed and with a
        sub menu open, as on the bare page."""
        e = self.engine
        for n in range(pages.template_count()):
            saved = template_page(n)
            owners = pages.sub_menu_owners(saved)
            trees = {}
            for name, page in (('bare', saved), ('dressed', self.dressed(n))):
                e.open(page)
                trees[name] = [self.ax_menu()]
                if owners:
                    e.tap(e.mains()[owners[0]])
                    self.settle()
                    trees[name].append(self.ax_menu())
            with self.subTest(template=n):
                self.assertTrue(trees['bare'][0])
                self.assertEqual(trees['dressed'], trees['bare'])

    def test_printed_links(self):
        """Printed, a dressed page shows the menu as its list: every link of
        the menu and its sub menus, no buttons of the small-screen form, and
        the applet no longer the drawn box."""
        e = self.engine
        saved = template_page(0)
        page = dress(saved, 'print', self.sheets + [HOSTILE])
        want = [it[1] for it in menu_tree(params(saved))] + [s[1] for it in menu_tree(params(saved)) for s in it[3] or []]
        e.open(page)
        e.tap(e.mains()[pages.sub_menu_owners(saved)[0]])
        shown = ('return Array.from(document.querySelectorAll("applet a[href]"))'
                 '.filter(a => a.getClientRects().length && getComputedStyle(a).visibility === "visible")'
                 '.map(a => a.getAttribute("href"));')
        on_screen = e.js(shown)
        e.driver.execute_cdp_cmd('Emulation.setEmulatedMedia', {'media': 'print'})
        try:
            self.settle()
            self.assertEqual(sorted(e.js(shown)), sorted(w for w in want if w))
            self.assertLess(len(on_screen), len([w for w in want if w]))
            self.assertEqual(e.js('return Array.from(document.querySelectorAll("applet button"))'
                                  '.filter(b => b.getClientRects().length).length;'), 0)
            self.assertEqual(e.js('return getComputedStyle(document.querySelector("applet")).display;'), 'block')
        finally:
            e.driver.execute_cdp_cmd('Emulation.setEmulatedMedia', {'media': ''})


class Firefox(IsolationCases, unittest.TestCase):
    engine_class = engines.FirefoxEngine


class WebKitGTK(IsolationCases, unittest.TestCase):
    engine_class = engines.WebKitEngine


if __name__ == '__main__':
    unittest.main(verbosity=2)
